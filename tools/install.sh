#!/usr/bin/env bash
# Builds the program and its dictionary and lays out an installation in build/run: the executable,
# Articles/ with the bundled English-Italian dictionary and Help/ with the help page.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/build.sh" native >/dev/null
"$root/tools/build.sh" x86_64 >/dev/null

install="$root/build/run"
mkdir -p "$install/Articles" "$install/Help"
cp "$root/build/x86_64/wordmere.exe" "$install/"
cp "$root/resources/Help.EN.html" "$install/Help/"
cp "$root"/build/native/dictionary/Articles_*.dat "$root"/build/native/dictionary/FreeDict-*.txt "$install/Articles/"
echo "$install"
