#!/usr/bin/env bash
# The whole test suite built with AddressSanitizer and UndefinedBehaviorSanitizer
# (build-asan/, TALERUNA_SANITIZE=ON), benchmarks excluded. Any report of
# either sanitizer stops the test that met it (halt_on_error) and fails it; a
# leak fails too, except the third-party ones named in tests/lsan.supp.
#   scripts/sanitizadores.sh [ctest arguments, e.g. -R test_sesion]
set -euo pipefail
raiz="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$raiz/scripts/dependencias.sh"
dir="$raiz/build-asan"
extra=()
if [ -n "${CI:-}" ]; then extra+=(-DTALERUNA_WERROR=ON); fi
cmake -S "$raiz" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALERUNA_SANITIZE=ON "${extra[@]}" \
  ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER} > "$dir.log" 2>&1 \
  || { cat "$dir.log"; exit 1; }
cmake --build "$dir" -j"$(nproc)" >> "$dir.log" 2>&1 || { tail -50 "$dir.log"; exit 1; }
rm -f "$dir.log"
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$raiz/tests/lsan.supp:print_suppressions=0"
cd "$dir"
ctest --output-on-failure -j"$(nproc)" -LE bench "$@"
