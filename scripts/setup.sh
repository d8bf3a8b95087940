#!/usr/bin/env bash
# Installs everything the three builds and the tests need, from Debian's packages.
# Quick and silent when everything is already present.
set -euo pipefail
pkgs=(cmake ninja-build g++ git
      mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
      binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
      googletest libgtest-dev libbenchmark-dev
      clang libclang-rt-14-dev llvm
      wine wine64 fonts-wine xvfb xauth x11-apps imagemagick)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
echo "setup: installing ${missing[*]}"
$SUDO apt-get update -qq >/dev/null
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
