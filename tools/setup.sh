#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need; does nothing when they are all there.
set -euo pipefail

packages=(
  cmake make g++ clang libclang-rt-14-dev googletest libbenchmark-dev zlib1g-dev
  dict-freedict-eng-ita dict-freedict-ita-eng
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine wine64 xvfb xdotool x11-utils imagemagick
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
