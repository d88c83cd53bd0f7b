#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")"

scripts/deps.sh all
scripts/npm-tools.sh >/dev/null  # the SARIF validator the report tests use

if [ ! -f build/CMakeCache.txt ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
cmake --build build -j2
ctest --test-dir build --output-on-failure -j2
scripts/test-sanitize.sh  # the whole suite again under AddressSanitizer and UBSan (build-asan/)
scripts/test-windows.sh  # the engine and corvel-check cross-built for Windows, tested under Wine
