#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, runs their seeds once and then each target for a bounded time; non-zero on any finding.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-10}
build=$root/build/fuzz

cmake -S "$root" -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWORDMERE_EXTRA_DIRS=fuzz >/dev/null
cmake --build "$build" -j2 --target fuzzers
ctest --test-dir "$build" -R '_fuzzer_seeds$' --output-on-failure

# A smaller quarantine and no fill of new blocks: page faults on fresh memory took most of the time on small inputs.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=32:max_malloc_fill_size=0}

# The seeds are copied into a working corpus under build/, which keeps what earlier runs found.
failed=0
for seeds in "$root"/fuzz/corpus/*/; do
  target=$(basename "$seeds")
  work=$build/corpus/$target
  findings=$build/findings/$target
  log=$build/logs/$target.log
  mkdir -p "$work" "$findings" "$(dirname "$log")"
  cp "$seeds"* "$work"/
  status=0
  "$build/fuzz/$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$work" >"$log" 2>&1 || status=$?
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  printf '%-24s %12s executions in %ss\n' "$target" "${executions:-?}" "$seconds"
  if [ "$status" -ne 0 ]; then
    failed=1
    # The report without libFuzzer's progress lines.
    grep -v -E '^(#[0-9]+|INFO:)' "$log" | head -n 60 >&2
    echo "$target: finding kept in $findings (log: $log)" >&2
  fi
done
exit "$failed"
