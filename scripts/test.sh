#!/usr/bin/env bash
# Installs what is missing, builds, runs each fuzz target briefly, then every test
# (ctest's summary is the last thing printed).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
bash scripts/fuzz.sh "${FUZZ_SECONDS:-15}"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j "$(nproc)"
