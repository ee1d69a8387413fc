#!/usr/bin/env bash
# Prints the start-up and keystroke times of the real program under Wine on the English-German FreeDict data.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
dpkg-query -W -f='${Status}' dict-freedict-eng-deu 2>/dev/null | grep -q 'install ok installed' ||
  { sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo; $sudo apt-get install -y -qq dict-freedict-eng-deu dict-freedict-deu-eng >/dev/null; }
"$root/tools/build.sh" native >/dev/null
"$root/tools/build.sh" x86_64 >/dev/null

articles="$root/build/measure/Articles"
mkdir -p "$articles"
compiler="$root/build/native/tools/article_compiler"
[ -s "$articles/Articles_English_German.dat" ] ||
  "$compiler" --dictd /usr/share/dictd/freedict-eng-deu "$articles/Articles_English_German.dat" 2>/dev/null
[ -s "$articles/Articles_German_English.dat" ] ||
  "$compiler" --dictd /usr/share/dictd/freedict-deu-eng "$articles/Articles_German_English.dat" 2>/dev/null
ls -l "$articles"

state="$root/build/measure/wine"
session="$root/tests/wine_session.sh"
"$session" start "$state" >/dev/null
trap '"$session" stop "$state" >/dev/null' EXIT
WORDMERE_MEASURE_ARTICLES="Z:$articles" WORDMERE_MEASURE_LANGUAGE="English-German FreeDict" \
  "$session" run "$state" "$root/build/x86_64/tests/gui/gui_tests.exe" \
  --gtest_also_run_disabled_tests --gtest_filter='Measure.*' | grep -E 'dictionary|start-up|keystroke'
