#!/usr/bin/env bash
# Builds the fuzz target in build-fuzz/ and fuzzes for N minutes (default 10).
# New inputs go to build-fuzz/corpus-work/, findings to build-fuzz/findings/;
# fuzz/corpus/ (the committed seeds) is only read.
# Usage: fuzz/run.sh [MINUTES] [extra libFuzzer flags...]
set -euo pipefail
cd "$(dirname "$0")/.."

minutes=${1:-10}
shift || true

if [ ! -f build-fuzz/CMakeCache.txt ]; then
  cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DCORVEL_BUILD_FUZZ=ON \
    -DCORVEL_BUILD_TESTS=OFF -DCORVEL_BUILD_UI=OFF -DCORVEL_BUILD_BENCH=OFF
fi
cmake --build build-fuzz -j2 --target corvel-fuzz

mkdir -p build-fuzz/corpus-work build-fuzz/findings
exec build-fuzz/fuzz/corvel-fuzz \
  -max_total_time=$((minutes * 60)) -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1 -artifact_prefix=build-fuzz/findings/ \
  "$@" build-fuzz/corpus-work fuzz/corpus
