#!/usr/bin/env bash
# Configures and builds into build/ (warnings are errors under CI).
set -euo pipefail
cd "$(dirname "$0")/.."
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
cmake -S . -B build -G Ninja -DEWIDOR_WERROR=$werror -DEWIDOR_GUI=ON -DEWIDOR_TESTS=ON "$@" >/dev/null
cmake --build build -j "$(nproc)"
