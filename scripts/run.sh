#!/usr/bin/env bash
# Installs what is missing, builds and starts the program on the demo site in
# ./demo, which the first run creates.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
[ -f demo/Konfig ] || build/app/ewidor --create-demo demo
exec build/app/ewidor --config-dir demo "$@"
