#!/usr/bin/env bash
# Configures and builds the program, the database tool and the tests in build/.
set -euo pipefail
raiz="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$raiz/scripts/dependencias.sh"
tipo="${TALERUNA_BUILD_TYPE:-RelWithDebInfo}"
extra=()
if [ -n "${CI:-}" ]; then extra+=(-DTALERUNA_WERROR=ON); fi
cmake -S "$raiz" -B "$raiz/build" -DCMAKE_BUILD_TYPE="$tipo" "${extra[@]}" > "$raiz/build-configure.log" 2>&1 \
  || { cat "$raiz/build-configure.log"; exit 1; }
rm -f "$raiz/build-configure.log"
cmake --build "$raiz/build" -j"$(nproc)"
