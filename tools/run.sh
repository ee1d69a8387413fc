#!/usr/bin/env bash
# Sets up what is missing, builds, lays out an installation under build/run and starts the program under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
install=$("$root/tools/install.sh")

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ -z "${DISPLAY:-}" ]; then
  # No desktop here: give Wine a virtual one, which a screenshot can show (import -window root shot.png).
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$install/display" >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $xvfb 2>/dev/null' EXIT
  for _ in $(seq 100); do [ -s "$install/display" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -n1 "$install/display")"
  echo "No display was set: Wordmere runs in the virtual display $DISPLAY."
fi
echo "Starting $install/wordmere.exe (File > Exit ends it)."
wine "$install/wordmere.exe"
