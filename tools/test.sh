#!/usr/bin/env bash
# Sets up what is missing, builds every tree and runs every test: native unit tests, then the program under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"

"$root/tools/build.sh" native
ctest --test-dir "$root/build/native" --output-on-failure

# The same tests under AddressSanitizer and UndefinedBehaviorSanitizer, then each fuzz target for a while.
"$root/tools/sanitize.sh"
"$root/tools/fuzz.sh" "${WORDMERE_FUZZ_SECONDS:-12}"

# The release build: compiled only (it cannot run here), with warnings as errors.
"$root/tools/build.sh" i686

"$root/tools/build.sh" x86_64
ctest --test-dir "$root/build/x86_64" --output-on-failure
