#!/usr/bin/env bash
# Builds the program and starts it on the embedded demo database
# (build/demo.db, created from db/schema.sql and db/demo.sql when absent).
# Extra arguments are added to the form parameters, e.g.
#   scripts/ejecuta.sh "@GestionCompras=SI|"
set -euo pipefail
raiz="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$raiz/scripts/compila.sh"
base="$raiz/build/demo.db"
if [ ! -f "$base" ]; then
  "$raiz/build/creabd" "$base"
fi
parametros="${1:-}"
linea="@Server=;@DbName=$base;@Usuario=;@Password=;@ParametroAdicional=$parametros;"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No hay pantalla (DISPLAY no definido): se muestra la factura de demostración FC 0001-00000025-A como texto."
  exec "$raiz/build/conscpte" --exportar - \
    "@Server=;@DbName=$base;@ParametroAdicional=@TC=FC|@Sucursal=1|@Numero=25|@Letra=A|@PConsultaSolamente=SI|;"
fi
exec "$raiz/build/conscpte" "$linea"
