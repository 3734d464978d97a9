#!/usr/bin/env bash
# Runs every benchmark of bench/ (built in build/) and prints one table: for
# each case the program's time, raw SQLite doing the same work in the same
# run, their ratio, the peak memory and the goal. The programs' own lines
# (details of each case) go to build/benchmark.log.
#   scripts/benchmark.sh
set -uo pipefail
raiz="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bin="$raiz/build"
cmake --build "$bin" --target conscpte bench_comprobante bench_chooser bench_stock bench_lotes bench_cargos_reales >/dev/null || exit 1
registro="$bin/benchmark.log"
: >"$registro"
echo "Benchmark $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
echo
echo "| Caso | Programa ms | SQLite directo ms | Relación | Memoria pico MiB | Meta |"
echo "|---|---|---|---|---|---|"
estado=0
for nombre in bench_comprobante bench_chooser bench_stock bench_cargos_reales; do
  echo "== $nombre" >>"$registro"
  (cd "$bin" && env QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 LC_ALL=C.UTF-8 TZ=UTC TALERUNA_SOURCE="$raiz" TALERUNA_BIN="$bin" \
    TALERUNA_LIMITE_MS=0 "$bin/bench/$nombre" >>"$registro" 2>&1) || { estado=1; echo "($nombre failed: see $registro)"; }
done
grep '^CASO|' "$registro" | awk -F'|' '{ printf "| %s | %s | %s | %s | %s | %s |\n", $2, $3, $4, $5, $6, $7 }'
exit $estado
