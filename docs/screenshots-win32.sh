#!/usr/bin/env bash
# Takes the screenshots of the Win32 windows (Corvel.exe) in docs/ from the
# real windows under Wine on Xvfb, in the Chinese locale, with the design's
# fonts served by the AR PL fonts. Needs the cross build (scripts/test-windows.sh).
# Usage: docs/screenshots-win32.sh [BUILD_WIN_DIR]   (default: build-win)
set -euo pipefail
cd "$(dirname "$0")/.."
corvel=$(realpath "${1:-build-win}/ui/win32/Corvel.exe")

export LANG=zh_CN.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/corvel-shots.XXXXXX")
export WINEPREFIX
displayfile="$WINEPREFIX/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
xvfb=$!
app=
trap '[ -n "$app" ] && kill $app 2>/dev/null; /usr/lib/wine/wineserver -k 2>/dev/null; kill $xvfb 2>/dev/null; rm -rf "$WINEPREFIX"' EXIT
for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.05; done
export DISPLAY=:$(cat "$displayfile")

wineboot --init >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 宋体 /d 'AR PL UMing CN' /f >/dev/null
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 楷体_GB2312 /d 'AR PL UKai CN' /f >/dev/null
# No window manager here: Wine draws the title bars itself.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
wine "$corvel" >/dev/null 2>&1 &
app=$!

window() {  # waits for a window with the given title; prints its id
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { sleep 1; echo "$id"; return; }
    sleep 0.1
  done
  echo "no window named $1" >&2; exit 1
}
shoot() {  # the client area of a window (Wine's own title bar left out): WINDOW CLIENT_W CLIENT_H FILE
  eval "$(xdotool getwindowgeometry --shell "$1")"
  local border=$(((WIDTH - $2) / 2))
  import -window "$1" -crop "$2x$3+$border+$((HEIGHT - $3 - border))" +repage "$4"
}
click() {  # clicks at a point of a window's client area: WINDOW CLIENT_W CLIENT_H X Y
  eval "$(xdotool getwindowgeometry --shell "$1")"
  local border=$(((WIDTH - $2) / 2))          # Wine draws the frame and title bar
  local top=$((HEIGHT - $3 - border))
  xdotool mousemove $((X + border + $4)) $((Y + top + $5)) click 1
  xdotool mousemove 0 0
}

main=$(window '^Corvel v[0-9.]*$')
shoot "$main" 466 285 docs/win32-frmmain.png
click "$main" 466 285 390 38    # lblother
other=$(window '^其它项目$')
shoot "$other" 379 195 docs/win32-frmother.png
click "$other" 379 195 320 170  # cmdabout
about=$(window '^关于$')
shoot "$about" 266 195 docs/win32-frmabout.png
echo "docs/win32-frmmain.png docs/win32-frmother.png docs/win32-frmabout.png written"
