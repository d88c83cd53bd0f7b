#!/usr/bin/env bash
# Makes the Windows package corvel-VERSION-win64.zip from the cross build:
# Corvel.exe (the windows), corvel-check.exe (the command-line checker),
# README.txt (packaging/windows/README.txt: Chinese, then English), the
# report's documentation docs/report.md, LICENSE.txt and THIRD-PARTY.txt (the
# notices of the libraries built in), in a folder corvel-VERSION-win64. The
# texts get Windows line ends, and those that are not plain ASCII a UTF-8
# byte-order mark, which Notepad needs to read them as UTF-8. Nothing to
# install: unzip and run.
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
# CR LF, and a UTF-8 byte-order mark where the text is not plain ASCII.
notepad() {
  if LC_ALL=C grep -q '[^[:print:][:space:]]' "$1"; then printf '\357\273\277'; fi > "$2"
  sed "s/@VERSION@/$version/g; s/\r\$//; s/\$/\r/" "$1" >> "$2"
}
notepad "$root/packaging/windows/README.txt" "$stage/$name/README.txt"
mkdir "$stage/$name/docs"
notepad "$root/docs/report.md" "$stage/$name/docs/report.md"
if [ -f "$root/LICENSE" ]; then
  notepad "$root/LICENSE" "$stage/$name/LICENSE.txt"
fi
# The notices of the XML and JSON libraries built into the programs.
notepad "$root/third_party/NOTICES.txt" "$stage/$name/THIRD-PARTY.txt"

rm -f "$out/$name.zip"
# Fixed times, so the same build gives the same zip.
find "$stage/$name" -exec touch -d "@$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 0)" {} +
(cd "$stage" && zip -q -X -9 -r "$out/$name.zip" "$name")
echo "$out/$name.zip"
