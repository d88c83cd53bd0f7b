#!/usr/bin/env bash
# Makes the Windows package corvel-VERSION-win64.zip from the cross build:
# Corvel.exe (the windows), corvel-check.exe (the command-line checker), and
# README.txt, LICENSE.txt and THIRD-PARTY.txt with Windows line ends, in a folder
# corvel-VERSION-win64. Nothing to install: unzip and run.
# Usage: scripts/package-windows.sh [BUILD_DIR [OUT_DIR]]   (default: build-win, BUILD_DIR)
# Builds Corvel.exe and corvel-check.exe first when they are not built yet.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(mkdir -p "${1:-$root/build-win}" && cd "${1:-$root/build-win}" && pwd)
out=$(mkdir -p "${2:-$build}" && cd "${2:-$build}" && pwd)

version=$(sed -n 's/^project(Corvel VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
name=corvel-$version-win64
# Builds what is not built yet, as scripts/test-windows.sh configures the
# cross build (as root it first installs the cross tools).
if [ ! -f "$build/ui/win32/Corvel.exe" ] || [ ! -f "$build/cli/corvel-check.exe" ]; then
  "$root/scripts/deps.sh" windows
  if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
      -DCORVEL_BUILD_UI=OFF -DCORVEL_BUILD_BENCH=OFF
  fi
  cmake --build "$build" -j2 --target Corvel corvel-check
fi

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/$name"
for exe in ui/win32/Corvel.exe cli/corvel-check.exe; do
  x86_64-w64-mingw32-strip -o "$stage/$name/$(basename "$exe")" "$build/$exe"
done
crlf() { sed 's/\r$//; s/$/\r/' "$1" > "$2"; }
crlf "$root/README.md" "$stage/$name/README.txt"
if [ -f "$root/LICENSE" ]; then
  crlf "$root/LICENSE" "$stage/$name/LICENSE.txt"
fi
# The notices of the XML and JSON libraries built into the programs.
crlf "$root/third_party/NOTICES.txt" "$stage/$name/THIRD-PARTY.txt"

rm -f "$out/$name.zip"
# Fixed times, so the same build gives the same zip.
find "$stage/$name" -exec touch -d "@$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 0)" {} +
(cd "$stage" && zip -q -X -9 -r "$out/$name.zip" "$name")
echo "$out/$name.zip"
