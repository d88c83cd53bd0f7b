#!/usr/bin/env bash
# Builds the Debian package corvel_VERSION_ARCH.deb in build-deb/: a release
# build of the application and corvel-check with Debian's build flags
# (dpkg-buildflags, all hardening features on), packaged by CPack. Installs
# what is missing when run as root, like run.sh.
# Install the package with: apt install ./build-deb/corvel_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh all

build=build-deb
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCORVEL_BUILD_TESTS=OFF -DCORVEL_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
fi
cmake --build "$build" -j2
cd "$build"
cpack -G DEB
