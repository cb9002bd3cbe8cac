#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Ewidor need,
# but only those that are missing, so a prepared machine is not touched.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  qt6-base-dev qt6-charts-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libssl-dev sqlite3 libsqlite3-dev
  python3-dbf python3-dbfread libdbd-xbase-perl pgdbf
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
