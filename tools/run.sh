#!/usr/bin/env bash
# Sets up what is missing, builds, lays out an installation under build/run and starts the program under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
"$root/tools/build.sh" native >/dev/null
"$root/tools/build.sh" x86_64 >/dev/null

install="$root/build/run"
mkdir -p "$install/Articles" "$install/Help"
cp "$root/build/x86_64/wordmere.exe" "$install/"
cp "$root/resources/Help.EN.html" "$install/Help/"
compiler="$root/build/native/tools/article_compiler"
"$compiler" --tsv "$root/dictionaries/sample/english_italian.tsv" "$install/Articles/Articles_English_Italian.dat"
"$compiler" --tsv "$root/dictionaries/sample/italian_english.tsv" "$install/Articles/Articles_Italian_English.dat"

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
