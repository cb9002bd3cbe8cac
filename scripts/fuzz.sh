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
  seeds="fuzz/seeds/$name"
  work="build-fuzz/corpus/$name"
  mkdir -p "$work"
  echo "fuzzing $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=0 "$work" $( [ -d "$seeds" ] && echo "$seeds" ) 2>build-fuzz/$name.log \
    || { tail -50 build-fuzz/$name.log; exit 1; }
done
