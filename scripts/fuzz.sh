#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each one for the given seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-15}"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DEWIDOR_FUZZ=ON \
  -DEWIDOR_GUI=OFF -DEWIDOR_TESTS=OFF -DEWIDOR_BENCH=OFF >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target fuzz_targets
for target in build-fuzz/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  seeds=()
  [ -d "fuzz/seeds/$name" ] && seeds+=("fuzz/seeds/$name")
  # Real tables and indexes of other programs make good starting points for the readers.
  case "$name" in fuzz_table | fuzz_index_page) [ -d ../shared/dbf-corpus ] && seeds+=(../shared/dbf-corpus) ;; esac
  work="build-fuzz/corpus/$name"
  mkdir -p "$work"
  echo "fuzzing $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 -artifact_prefix=build-fuzz/$name- "$work" "${seeds[@]}" >build-fuzz/$name.log 2>&1 \
    || { tail -50 build-fuzz/$name.log; exit 1; }
done
