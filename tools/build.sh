#!/usr/bin/env bash
# Configures and builds one tree under build/: native, x86_64 (what the tests run) or i686 (the release).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kind=${1:?usage: build.sh native|x86_64|i686}
shift

options=()
case $kind in
  native) options+=(-DCMAKE_BUILD_TYPE=Debug) ;;
  x86_64|i686) options+=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$kind-w64-mingw32.cmake") ;;
  *) echo "unknown build kind: $kind" >&2; exit 2 ;;
esac
cmake -S "$root" -B "$root/build/$kind" "${options[@]}" "$@" >/dev/null
cmake --build "$root/build/$kind" -j"$(nproc)"
