#!/usr/bin/env bash
# Takes the screenshots in docs/ from the real windows under Xvfb.
# Usage: docs/screenshots.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
display=:${CORVEL_SHOT_DISPLAY:-91}

Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
sleep 1
"$build/app/corvel" >/dev/null 2>&1 &
app=$!
trap 'kill $app $xvfb 2>/dev/null || true' EXIT

window() {  # waits for a window with the given title; prints its id
  for _ in $(seq 50); do
    id=$(xdotool search --name "$1" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { sleep 0.5; echo "$id"; return; }
    sleep 0.1
  done
  echo "no window named $1" >&2; exit 1
}
click() {  # clicks at a point of a window
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + $2)) $((Y + $3)) click 1
}

main=$(window '^Corvel v[0-9.]*$')
import -window "$main" docs/frmmain.png
click "$main" 390 38            # lblother
other=$(window '^其它项目$')
import -window "$other" docs/frmother.png
click "$other" 320 170          # cmdabout
about=$(window '^关于$')
import -window "$about" docs/frmabout.png
echo "docs/frmmain.png docs/frmother.png docs/frmabout.png written"
