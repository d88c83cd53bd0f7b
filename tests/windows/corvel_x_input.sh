#!/usr/bin/env bash
# Corvel.exe under Wine, driven with real X input (xdotool) as a user drives
# it: 浏览 through its access key Alt+E, the file dialog filled in, 校验 with
# Alt+C, the end box answered (Cancel: no editor), ESC and OK to its
# question. The run's outputs must equal corvel-check's byte for byte, the
# log's date line aside. Needs DISPLAY (scripts/test-windows.sh starts Xvfb)
# and the Wine prefix of the test run.
# Usage: corvel_x_input.sh CORVEL_EXE CORVEL_CHECK_EXE DICTIONARY
set -euo pipefail
corvel=$(realpath "$1") checker=$(realpath "$2") dictionary=$(realpath "$3")
wine=${WINE:-wine}
if [ -z "${DISPLAY:-}" ] || ! command -v xdotool >/dev/null; then
  echo "no X display or no xdotool: skipped"; exit 77
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/corvel-xinput.XXXXXX")
app=
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/dict" "$work/reference"
name=$(basename "$dictionary")
base=${name%.*}
cp "$dictionary" "$work/dict/$name"
cp "$dictionary" "$work/reference/$name"

fail() { echo "FAIL: $*" >&2; exit 1; }
# Waits (up to 20 s) for a visible window whose title matches; prints its id.
window() {
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return; }
    sleep 0.1
  done
  fail "no window titled $1"
}
# Waits (up to 20 s) until no visible window's title matches.
gone() {
  for _ in $(seq 200); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "the window titled $1 stays"
}
# Gives a window the keyboard and presses keys in it.
keys() {
  local id=$1; shift
  xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
  sleep 0.2
  xdotool key --delay 50 "$@"
}

(cd "$work" && exec "$wine" "$corvel") >/dev/null 2>&1 &
app=$!
main=$(window '^Corvel v[0-9.]*$')

keys "$main" alt+e                                    # 浏览(&E)
dialog=$(window '^请选择要校验的字典文件$')
xdotool windowfocus --sync "$dialog" 2>/dev/null || true
sleep 0.3
# Wine shows the Linux file system as drive Z:.
xdotool type --delay 20 "Z:$(echo "$work/dict/$name" | tr / '\\')"
xdotool key Return
gone '^请选择要校验的字典文件$'

keys "$main" alt+c                                    # 校验(&C)
end=$(window '^恭喜$')                                # 已经处理完成。是否要查看记录？
keys "$end" Escape                                    # Cancel: no editor
gone '^恭喜$'

keys "$main" Escape                                   # 真的要停止校验吗？
stop=$(window '^停止$')
keys "$stop" Return                                   # OK ends the application
for _ in $(seq 200); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "Corvel.exe still runs after ESC and OK"
wait "$app" || fail "Corvel.exe ended with status $?"
app=

# The reference: corvel-check on the same dictionary, at the log's own time.
log="$work/dict/$base/$base.log"
[ -f "$log" ] || fail "no log $log"
"$wine" "$checker" -q "Z:$(echo "$work/reference/$name" | tr / '\\')" >/dev/null 2>&1 || true
reference="$work/reference/$base/$base.log"
[ -f "$reference" ] || fail "corvel-check wrote no log"
# The date lines (检查时间, GBK) hold the time of each run.
date_line=$(printf '检查时间' | iconv -f UTF-8 -t GBK)
cmp <(grep -av "^$date_line" "$log") <(grep -av "^$date_line" "$reference") ||
  fail "the log differs from corvel-check's"
[ "$(grep -ac "^$date_line" "$log")" = "$(grep -ac "^$date_line" "$reference")" ] ||
  fail "the logs have different numbers of date lines"
cmp "$work/dict/$name" "$dictionary" || fail "the dictionary was changed"
echo "PASS: Corvel.exe under X input wrote the log corvel-check writes"
