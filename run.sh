#!/usr/bin/env bash
# Installs what is missing, builds, and starts Corvel.
set -euo pipefail
cd "$(dirname "$0")"

scripts/deps.sh all

if [ ! -f build/CMakeCache.txt ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
cmake --build build -j2

# Checks the example line-pair dictionary with the command-line checker.
build/cli/corvel-check examples/game.txt || true
echo "The check log is in examples/game/game.log (GBK text)."
