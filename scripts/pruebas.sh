#!/usr/bin/env bash
# Builds everything and runs the whole test suite (offscreen, no person needed).
set -euo pipefail
raiz="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$raiz/scripts/compila.sh"
cd "$raiz/build"
ctest --output-on-failure -j"$(nproc)" "$@"
