#!/usr/bin/env bash
# Builds everything and runs the whole test suite (offscreen, no person needed):
# first on the embedded database, then the database-facing tests (label
# "servidor") on a throwaway PostgreSQL server (scripts/postgres.sh).
# TALERUNA_SIN_POSTGRES=1 skips the second pass.
set -euo pipefail
raiz="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$raiz/scripts/compila.sh"
cd "$raiz/build"
cuenta() { grep -Eo 'tests passed, [0-9]+ tests failed out of [0-9]+' "$1" | tail -1 | grep -Eo '[0-9]+$' || echo 0; }
registro="$(mktemp)"
trap 'rm -f "$registro"' EXIT
unset TALERUNA_PG_DSN
set +e
ctest --output-on-failure -j"$(nproc)" "$@" 2>&1 | tee "$registro"
rc=${PIPESTATUS[0]}
set -e
embebida="$(cuenta "$registro")"
echo "Base embebida (SQLite): $embebida pruebas"
[ "$rc" -eq 0 ] || exit "$rc"
if [ -n "${TALERUNA_SIN_POSTGRES:-}" ]; then
  echo "Servidor PostgreSQL: omitido (TALERUNA_SIN_POSTGRES)"
  exit 0
fi
inicio=$(date +%s)
set +e
bash "$raiz/scripts/postgres.sh" ctest --output-on-failure -j"$(nproc)" -L servidor 2>&1 | tee "$registro"
rc=${PIPESTATUS[0]}
set -e
echo "Servidor PostgreSQL (ODBC): $(cuenta "$registro") pruebas en $(( $(date +%s) - inicio )) s"
exit "$rc"
