#!/usr/bin/env bash
# Installs what is missing, builds, and starts Corvel.
set -euo pipefail
cd "$(dirname "$0")"

scripts/deps.sh all

if [ ! -f build/CMakeCache.txt ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
cmake --build build -j2

exec build/app/corvel
