#!/usr/bin/env bash
# Makes the portable zip for Windows users from the 32-bit release build: build/Wordmere-1.4.7-win32.zip.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
"$root/tools/build.sh" native >/dev/null
"$root/tools/build.sh" i686 >/dev/null

stage="$root/build/package/Wordmere"
rm -rf "$root/build/package"
mkdir -p "$stage/Articles" "$stage/Help"
cp "$root/build/i686/wordmere.exe" "$stage/"
cp "$root"/build/native/dictionary/Articles_*.dat "$root"/build/native/dictionary/FreeDict-*.txt "$stage/Articles/"
cp "$root/resources/Help.EN.html" "$stage/Help/"
# Windows users open it with Notepad: CR LF line ends.
sed 's/$/\r/' "$root/resources/package/README.txt" >"$stage/README.txt"

zip="$root/build/Wordmere-1.4.7-win32.zip"
rm -f "$zip"
(cd "$root/build/package" && cmake -E tar cf "$zip" --format=zip Wordmere)
echo "$zip"
