#!/usr/bin/env bash
# Builds the core, the tools and the unit tests natively with AddressSanitizer and UndefinedBehaviorSanitizer and runs the tests.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/sanitize
sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"

# Any report stops the test that made it; the discovery run of the unit tests at build time too.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

# The flags go in on the command line so that the top-level build stays as it is; Debug keeps every check.
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_FLAGS="$sanitizers" -DCMAKE_CXX_FLAGS="$sanitizers" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$build" -j2
ctest --test-dir "$build" --output-on-failure
