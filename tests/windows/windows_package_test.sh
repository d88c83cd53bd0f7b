#!/usr/bin/env bash
# The Windows package as a user gets it: scripts/package-windows.sh makes the
# zip from the cross build; unzipped, it holds Corvel.exe, corvel-check.exe,
# README.txt (Chinese first, then English, UTF-8 with a byte-order mark),
# docs/report.md (likewise), LICENSE.txt and THIRD-PARTY.txt, all texts with CR LF line ends;
# it is under 5 MB, and both programs run under Wine from the unpacked folder.
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
expected="Corvel.exe README.txt THIRD-PARTY.txt corvel-check.exe docs/report.md"
[ -f "$root/LICENSE" ] && expected="Corvel.exe LICENSE.txt README.txt THIRD-PARTY.txt corvel-check.exe docs/report.md"
[ "$(cd "$folder" && find . -type f | sed 's|^\./||' | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//')" = "$expected" ] ||
  fail "the package holds $(cd "$folder" && find . -type f)"
bom=$'\xEF\xBB\xBF'
for text in "$folder"/*.txt "$folder"/docs/report.md; do
  lines=$(wc -l < "$text")
  [ "$lines" -gt 0 ] && [ "$(grep -c $'\r$' "$text")" = "$lines" ] ||
    fail "${text#"$folder"/} does not end every line with CR LF"
  # Texts beyond ASCII start with the byte-order mark, and only those.
  if LC_ALL=C grep -q '[^[:print:][:space:]]' "$text"; then
    [ "$(head -c 3 "$text")" = "$bom" ] || fail "${text#"$folder"/} has no UTF-8 byte-order mark"
  else
    [ "$(head -c 3 "$text")" != "$bom" ] || fail "${text#"$folder"/} is ASCII with a byte-order mark"
  fi
done
# The README speaks Chinese first, then English, and names this version.
readme=$(tail -c +4 "$folder/README.txt" | tr -d '\r')
zh=$(grep -n -m1 '汉化字典校验工具' <<<"$readme" | cut -d: -f1)
en=$(grep -n -m1 'a checker for Chinese translation dictionaries' <<<"$readme" | cut -d: -f1)
[ -n "$zh" ] && [ -n "$en" ] && [ "$zh" -lt "$en" ] || fail "README.txt is not Chinese first, then English"
grep -q "Corvel $version" <<<"$readme" || fail "README.txt does not name version $version"
grep -q '@VERSION@' <<<"$readme" && fail "README.txt keeps a @VERSION@ mark"
for name in Corvel.exe corvel-check.exe docs.report.md; do
  grep -q "$name" <<<"$readme" || fail "README.txt does not mention $name"
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
