#!/usr/bin/env bash
# Takes the README's screenshot: the program under Wine in a virtual display, with "house" looked up.
# Usage: tools/screenshot.sh [OUTPUT.png]   (default docs/screenshot.png)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
output=${1:-$root/docs/screenshot.png}
"$root/tools/setup.sh"
"$root/tools/install.sh" >/dev/null

work="$root/build/screenshot"
rm -rf "$work"
mkdir -p "$work"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
# Nothing leaves the machine: the start and exit notifications go to a local address where nothing listens.
export http_proxy=http://127.0.0.1:9
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"
wine wineboot -i >/dev/null 2>&1
wineserver -w

wine "$root/build/run/wordmere.exe" >/dev/null 2>&1 &
xdotool search --sync --name "^Wordmere English" >/dev/null
sleep 3
# Wine's stand-in notification area is a window of its own in the top left corner, over the menu bar.
for tray in $(xdotool search --name "Wine System Tray" 2>/dev/null); do xdotool windowunmap "$tray"; done
sleep 1
# Without a window manager the window has no frame; it is what is not black on the screen.
import -window root "$work/empty.png"
read -r width height x y < <(convert "$work/empty.png" -trim -format '%w %h %X %Y\n' info: | tr -d '+')
# The search box's middle lies 94 pixels below the top of the menu bar and 57 to the right.
xdotool mousemove $((x + 57)) $((y + 94)) click 1
sleep 0.5
xdotool key --delay 100 ctrl+a BackSpace
xdotool type --delay 150 "house"
# Move the pointer away and let every part repaint before the picture is taken.
xdotool mousemove 700 500
sleep 3
mkdir -p "$(dirname "$output")"
import -window root -crop "${width}x${height}+${x}+${y}" +repage "$output"
echo "Screenshot written to $output"
