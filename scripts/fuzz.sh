#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang (build-fuzz/) and runs each for a
# bounded time:  scripts/fuzz.sh [SECONDS per target, default 60] [TARGET...]
# Each starts from its seed corpus in fuzz/corpus/<target>/ (new inputs go to
# build-fuzz/corpus/<target>/, not into the repository). A crash, a leak of
# ours (third-party ones: tests/lsan.supp), an input slower than 10 s or one
# that needs more than 2 GB fails the run; the input that did it is copied into
# fuzz/corpus/<target>/ so it stays a regression case once the fault is mended.
# TALERUNA_FUZZ_SEMILLA=N fixes libFuzzer's random seed (.ci/run sets 1, so the
# same commit gets the same verdict); unset, every run draws a new one.
set -euo pipefail
raiz="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
segundos="${1:-60}"
shift || true

# clang and its runtime libraries (libFuzzer, the sanitizers) from Debian.
faltan=()
for p in clang libclang-rt-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltan+=("$p")
done
if [ ${#faltan[@]} -gt 0 ]; then
  SUDO=; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${faltan[@]}"
fi
bash "$raiz/scripts/dependencias.sh"

dir="$raiz/build-fuzz"
CXX=clang++ cmake -S "$raiz" -B "$dir" -G Ninja -DTALERUNA_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER} > "$dir.log" 2>&1 \
  || { cat "$dir.log"; exit 1; }
cmake --build "$dir" --target fuzzers -j"$(nproc)" >> "$dir.log" 2>&1 || { tail -50 "$dir.log"; exit 1; }
rm -f "$dir.log"

objetivos=("$@")
if [ ${#objetivos[@]} -eq 0 ]; then
  objetivos=(fuzz_linea_comandos fuzz_ini fuzz_impresoras fuzz_formula fuzz_sql_literal fuzz_listas fuzz_consultas)
fi

export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$raiz/tests/lsan.supp:print_suppressions=0"
export QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 LC_ALL=C.UTF-8
mkdir -p "$dir/tmp" "$dir/hallazgos"
export TMPDIR="$dir/tmp"

fallas=0
resumen="$dir/resumen.txt"
: > "$resumen"
for t in "${objetivos[@]}"; do
  semillas="$raiz/fuzz/corpus/$t"
  trabajo="$dir/corpus/$t"
  mkdir -p "$trabajo" "$semillas"
  rm -f "$dir/hallazgos/$t-"*
  registro="$dir/$t.log"
  inicio=$(date +%s)
  if "$dir/fuzz/$t" "$trabajo" "$semillas" ${TALERUNA_FUZZ_SEMILLA:+-seed="$TALERUNA_FUZZ_SEMILLA"} -max_total_time="$segundos" -timeout=10 -rss_limit_mb=2048 \
       -max_len=16384 -print_final_stats=1 -artifact_prefix="$dir/hallazgos/$t-" > "$registro" 2>&1; then
    estado=ok
  else
    estado=FALLA
    fallas=$((fallas + 1))
    for h in "$dir/hallazgos/$t-"*; do
      [ -e "$h" ] || continue
      cp "$h" "$semillas/regresion-$(basename "$h" | sed "s/^$t-//")"
      echo "  entrada guardada en fuzz/corpus/$t/regresion-$(basename "$h" | sed "s/^$t-//")"
    done
    grep -E "ERROR|FALLA|SUMMARY|runtime error|Sanitizer" "$registro" | head -20 || true
  fi
  fin=$(date +%s)
  ejecuciones=$(grep -Eo "stat::number_of_executed_units: *[0-9]+" "$registro" | grep -Eo "[0-9]+$" | tail -1 || true)
  cobertura=$(grep -Eo "cov: [0-9]+" "$registro" | tail -1 | grep -Eo "[0-9]+" || true)
  linea=$(printf "%-20s %-5s %4ss %10s ejecuciones  cov %-6s semillas %s  corpus %s" "$t" "$estado" \
    "$((fin - inicio))" "${ejecuciones:-?}" "${cobertura:-?}" "$(ls "$semillas" | wc -l)" "$(ls "$trabajo" | wc -l)")
  echo "$linea" | tee -a "$resumen"
done
[ "$fallas" -eq 0 ] || { echo "fuzz: $fallas objetivo(s) con fallas (registros en $dir/*.log)"; exit 1; }
