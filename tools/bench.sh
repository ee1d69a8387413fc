#!/usr/bin/env bash
# Builds the benchmarks and the article compiler (Release, -O2) in build/bench, compiles English-German there and runs them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/build/bench"
dictd=/usr/share/dictd/freedict-eng-deu

cmake -S "$root" -B "$out" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DWORDMERE_EXTRA_DIRS=bench >/dev/null
if ! cmake --build "$out" -j2 --target article_bench article_compiler >"$out/build.log" 2>&1; then
  cat "$out/build.log" >&2
  exit 1
fi

arguments=()
if [ ! -e "$dictd.index" ]; then
  echo "No $dictd.index (package dict-freedict-eng-deu): measuring the synthetic text only."
elif "$out/tools/article_compiler" --dictd "$dictd" "$out/eng-deu.dat"; then
  arguments+=(--dictionary="$out/eng-deu.dat")
else
  echo "The article compiler cannot make eng-deu.dat yet: measuring the synthetic text only."
fi

echo "Machine: $(lscpu | sed -n 's/^Model name: *//p')"
"$out/bench/article_bench" --benchmark_color=false "${arguments[@]}" "$@"
