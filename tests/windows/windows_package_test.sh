#!/usr/bin/env bash
# The Windows package as a user gets it: scripts/package-windows.sh makes the
# zip from the cross build; unzipped, it holds Corvel.exe, corvel-check.exe
# and README.txt and LICENSE.txt with CR LF line ends, is under 5 MB, and
# both programs run under Wine from the unpacked folder.
# Usage: windows_package_test.sh BUILD_WIN_DIR DICTIONARY
set -euo pipefail
build=$(realpath "$1") dictionary=$(realpath "$2")
root=$(cd "$(dirname "$0")/../.." && pwd)
wine=${WINE:-wine}
fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/corvel-package.XXXXXX")
app=
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

zip=$("$root/scripts/package-windows.sh" "$build" "$work")
version=$(sed -n 's/^project(Corvel VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
[ "$(basename "$zip")" = "corvel-$version-win64.zip" ] || fail "zip named $zip"
size=$(stat -c %s "$zip")
[ "$size" -lt $((5 * 1024 * 1024)) ] || fail "the zip has $size bytes, 5 MB at most"
(cd "$work" && unzip -q "$zip")
folder="$work/corvel-$version-win64"
expected="Corvel.exe README.txt corvel-check.exe"
[ -f "$root/LICENSE" ] && expected="Corvel.exe LICENSE.txt README.txt corvel-check.exe"
[ "$(cd "$folder" && ls | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//')" = "$expected" ] ||
  fail "the package holds $(ls "$folder")"
for text in "$folder"/*.txt; do
  lines=$(wc -l < "$text")
  [ "$lines" -gt 0 ] && [ "$(grep -c $'\r$' "$text")" = "$lines" ] ||
    fail "$(basename "$text") does not end every line with CR LF"
done

# corvel-check.exe from the package checks a dictionary.
cp "$dictionary" "$work/game.txt"
status=0
(cd "$work" && "$wine" "$folder/corvel-check.exe" -q game.txt >/dev/null 2>&1) || status=$?
[ "$status" = 1 ] || fail "corvel-check.exe ended with $status, 1 expected (the fixture has findings)"
[ -f "$work/game/game.log" ] || fail "corvel-check.exe wrote no log"

# Corvel.exe from the package opens its main window; 退出 (Alt+X) ends it.
if [ -z "${DISPLAY:-}" ] || ! command -v xdotool >/dev/null; then
  echo "no X display: Corvel.exe not started"; exit 0
fi
(cd "$work" && exec "$wine" "$folder/Corvel.exe") >/dev/null 2>&1 &
app=$!
for _ in $(seq 200); do
  main=$(xdotool search --onlyvisible --name '^Corvel v[0-9.]*$' 2>/dev/null | head -1 || true)
  [ -n "$main" ] && break
  sleep 0.1
done
[ -n "$main" ] || fail "Corvel.exe showed no main window"
xdotool windowfocus --sync "$main" 2>/dev/null || xdotool windowfocus "$main"
sleep 0.2
xdotool key alt+x
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "Corvel.exe still runs after 退出"
wait "$app" || fail "Corvel.exe ended with status $?"
app=
echo "PASS: $(basename "$zip"), $size bytes"
