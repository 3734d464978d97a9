#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need,
# only those that are missing ("apt-get update" once, then "apt-get install").
set -euo pipefail
paquetes=(
  cmake make g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libqt6sql6-sqlite libqt6sql6-odbc unixodbc libqt6svg6 qt6-translations-l10n
  libsqlite3-dev libkainjow-mustache-dev
  fonts-dejavu-core
  poppler-utils xvfb xauth
  libgtest-dev libbenchmark-dev
  libsqliteodbc
  postgresql odbc-postgresql
)
faltan=()
for p in "${paquetes[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    faltan+=("$p")
  fi
done
if [ ${#faltan[@]} -eq 0 ]; then
  exit 0
fi
echo "Instalando paquetes faltantes: ${faltan[*]}"
if [ "$(id -u)" -ne 0 ]; then
  SUDO=sudo
else
  SUDO=
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${faltan[@]}"
