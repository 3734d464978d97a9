#!/usr/bin/env bash
# Runs a command against a throwaway PostgreSQL server:
#   scripts/postgres.sh COMMAND [ARGS...]
# A cluster is created in a temporary folder, owned by an unprivileged user
# (the "postgres" user when run as root), listening only on a socket in that
# folder. An odbc.ini there names the data source "taleruna_pg"; ODBCINI and
# ODBCSYSINI point at it, so COMMAND reaches the server through ODBC with no
# system file touched. Two template databases are made with creabd:
# taleruna_vacia (schema only) and taleruna_demo (schema and demo company).
# COMMAND sees TALERUNA_PG_DSN=taleruna_pg and TALERUNA_PG_CARPETA (the
# folder), and TALERUNA_PG_CTL, TALERUNA_PG_DATOS and TALERUNA_PG_DUENO to
# stop and start the server itself (pg_ctl -D "$TALERUNA_PG_DATOS", run as
# the user TALERUNA_PG_DUENO when it is set). The server is stopped and the folder removed when the script ends,
# also when COMMAND fails or the script is interrupted; the exit status is
# COMMAND's. The role taleruna_clave (password "clave-de-prueba") is the one
# role that must give its password.
# CREABD (default build/creabd) names the creabd program.
set -euo pipefail
raiz="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
creabd="${CREABD:-$raiz/build/creabd}"

bin=""
for d in $(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V -r); do
  if [ -x "$d/initdb" ] && [ -x "$d/pg_ctl" ]; then bin="$d"; break; fi
done
if [ -z "$bin" ]; then
  echo "postgres.sh: PostgreSQL no está instalado (scripts/dependencias.sh lo instala)" >&2
  exit 3
fi
driver=""
for f in /usr/lib/x86_64-linux-gnu/odbc/psqlodbcw.so /usr/lib/*/odbc/psqlodbcw.so; do
  if [ -f "$f" ]; then driver="$f"; break; fi
done
if [ -z "$driver" ]; then
  echo "postgres.sh: falta el controlador ODBC de PostgreSQL (odbc-postgresql)" >&2
  exit 3
fi

carpeta="$(mktemp -d /tmp/taleruna-pg.XXXXXX)"
chmod 755 "$carpeta"
como=()
if [ "$(id -u)" -eq 0 ]; then
  chown postgres: "$carpeta"
  como=(runuser -u postgres --)
fi
puerto=5432
detener() {
  local rc=$?
  if [ -f "$carpeta/datos/postmaster.pid" ]; then
    "${como[@]}" "$bin/pg_ctl" -D "$carpeta/datos" -m immediate -w stop >/dev/null 2>&1 || true
  fi
  rm -rf "$carpeta"
  exit $rc
}
trap detener EXIT
trap 'exit 130' INT TERM HUP

"${como[@]}" "$bin/initdb" -D "$carpeta/datos" -U taleruna --auth=trust -E UTF8 --locale=C.UTF-8 \
  >"$carpeta/initdb.log" 2>&1 || { cat "$carpeta/initdb.log" >&2; exit 1; }
# One role signs in with a password (the tests of a wrong password); every
# other role is trusted.
"${como[@]}" sed -i '1i local all taleruna_clave scram-sha-256' "$carpeta/datos/pg_hba.conf"
# A test server: no durability, no TCP. The settings live in the cluster's
# own configuration, so a test that stops the server starts it again with a
# plain "pg_ctl start".
cat >>"$carpeta/datos/postgresql.conf" <<EOF
listen_addresses = ''
unix_socket_directories = '$carpeta'
port = $puerto
fsync = off
synchronous_commit = off
full_page_writes = off
max_connections = 100
EOF
"${como[@]}" "$bin/pg_ctl" -D "$carpeta/datos" -l "$carpeta/servidor.log" -w -t 60 start \
  >/dev/null || { cat "$carpeta/servidor.log" >&2; exit 1; }

cat >"$carpeta/odbc.ini" <<EOF
[taleruna_pg]
Description = Servidor de pruebas de Taleruna
Driver      = $driver
Servername  = $carpeta
Port        = $puerto
Database    = postgres
Username    = taleruna
EOF
: >"$carpeta/odbcinst.ini"
chmod 644 "$carpeta/odbc.ini" "$carpeta/odbcinst.ini"
export ODBCINI="$carpeta/odbc.ini" ODBCSYSINI="$carpeta"
export TALERUNA_PG_DSN=taleruna_pg TALERUNA_PG_CARPETA="$carpeta"
# What a test needs to stop and start the server itself: pg_ctl, the data
# folder and the user the cluster belongs to ("" when it is the caller).
export TALERUNA_PG_CTL="$bin/pg_ctl" TALERUNA_PG_DATOS="$carpeta/datos" TALERUNA_PG_DUENO="${como:+postgres}"

psql=("$bin/psql" -h "$carpeta" -p "$puerto" -U taleruna -X -q -v ON_ERROR_STOP=1)
"${psql[@]}" -d postgres -c "CREATE DATABASE taleruna_vacia" -c "CREATE DATABASE taleruna_demo" \
  -c "CREATE ROLE taleruna_clave LOGIN PASSWORD 'clave-de-prueba'"
"$creabd" --dsn taleruna_pg --base taleruna_vacia --sin-datos >/dev/null
"$creabd" --dsn taleruna_pg --base taleruna_demo >/dev/null
"${psql[@]}" -d postgres -c "ALTER DATABASE taleruna_vacia WITH IS_TEMPLATE true" \
  -c "ALTER DATABASE taleruna_demo WITH IS_TEMPLATE true"

set +e
"$@"
rc=$?
set -e
exit $rc
