#!/usr/bin/env bash
# The whole test suite built with AddressSanitizer and UndefinedBehaviorSanitizer
# (build-asan/, TALERUNA_SANITIZE=ON), benchmarks excluded (not even built).
# Any report of either sanitizer stops the test that met it (halt_on_error) and
# fails it; a leak fails too, except the third-party ones named in
# tests/lsan.supp. The build is -O1 with line tables only (quicker to build
# than -O2 -g; the reports still name file and line).
#   scripts/sanitizadores.sh [ctest arguments, e.g. -R test_sesion]
set -euo pipefail
raiz="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$raiz/scripts/dependencias.sh"
dir="$raiz/build-asan"
extra=()
if [ -n "${CI:-}" ]; then extra+=(-DTALERUNA_WERROR=ON); fi
inicio=$(date +%s)
cmake -S "$raiz" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG" \
  -DTALERUNA_SANITIZE=ON -DTALERUNA_BENCH=OFF "${extra[@]}" \
  ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER} > "$dir.log" 2>&1 \
  || { cat "$dir.log"; exit 1; }
cmake --build "$dir" -j"$(nproc)" >> "$dir.log" 2>&1 || { tail -50 "$dir.log"; exit 1; }
rm -f "$dir.log"
compilado=$(date +%s)
echo "Sanitizadores: compilación en $((compilado - inicio)) s"
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$raiz/tests/lsan.supp:print_suppressions=0"
# Every hostile value through four of the twelve pieces (308 runs of the
# program instead of 924; the other pieces are skipped by name). Set it empty
# for all twelve.
export TALERUNA_HOSTIL_PIEZAS="${TALERUNA_HOSTIL_PIEZAS-@DbName,@ParametroAdicional,@TC,@Numero}"
# A test function may take longer than QtTest's 5 minutes here (a row of the
# hostile input is 77 runs of the sanitized program).
export QTEST_FUNCTION_TIMEOUT="${QTEST_FUNCTION_TIMEOUT:-3600000}"
# Limits a test puts on one run of the program (a start that gives up, not a
# hang) are this many times longer.
export TALERUNA_FACTOR_TIEMPO="${TALERUNA_FACTOR_TIEMPO:-5}"
cd "$dir"
set +e
ctest --output-on-failure -j"$(nproc)" -LE bench "$@"
rc=$?
set -e
echo "Sanitizadores: pruebas en $(( $(date +%s) - compilado )) s"
exit "$rc"
