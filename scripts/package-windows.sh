#!/usr/bin/env bash
# Makes the Windows package corvel-VERSION-win64.zip from the cross build:
# Corvel.exe (the windows), corvel-check.exe (the command-line checker), and
# README.txt, LICENSE.txt and THIRD-PARTY.txt with Windows line ends, in a folder
# corvel-VERSION-win64. Nothing to install: unzip and run.
# Usage: scripts/package-windows.sh [BUILD_DIR [OUT_DIR]]   (default: build-win, BUILD_DIR)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build-win}" && pwd)
out=$(mkdir -p "${2:-$build}" && cd "${2:-$build}" && pwd)

version=$(sed -n 's/^project(Corvel VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
name=corvel-$version-win64
for exe in ui/win32/Corvel.exe cli/corvel-check.exe; do
  [ -f "$build/$exe" ] || { echo "package-windows.sh: $build/$exe is missing; build it first." >&2; exit 1; }
done

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
