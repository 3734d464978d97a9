#!/usr/bin/env bash
# Takes the screenshots of the program's windows under a virtual display
# (Xvfb) for a look at them as a user sees them: every test program named
# test_*_captura in build/ (or build/tests/, where CMake puts them) is run on the xcb platform with TALERUNA_CAPTURA
# naming the folder for the pictures (default build/capturas).
#   scripts/capturas.sh [folder]
set -euo pipefail
raiz="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$raiz/scripts/compila.sh"
destino="${1:-$raiz/build/capturas}"
mkdir -p "$destino"
destino="$(cd "$destino" && pwd)"
estado=0
for programa in "$raiz"/build/test_*_captura "$raiz"/build/tests/test_*_captura; do
  [ -x "$programa" ] || continue
  echo "== $(basename "$programa")"
  xvfb-run -a -s "-screen 0 1600x1200x24" env QT_QPA_PLATFORM=xcb LANG=C.UTF-8 LC_ALL=C.UTF-8 TZ=UTC \
    TALERUNA_SOURCE="$raiz" TALERUNA_BIN="$raiz/build" TALERUNA_CAPTURA="$destino" \
    "$programa" || estado=1
done
echo "Capturas en $destino"
exit $estado
