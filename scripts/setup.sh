#!/usr/bin/env bash
# Installs everything the three builds and the tests need, from Debian's packages.
# Quick and silent when everything is already present. Where the machine can run
# 32-bit programs it also installs Debian's 32-bit Wine loader (wine32, i386),
# which runs the product DLL itself; elsewhere the 32-bit runs are skipped.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
pkgs=(cmake ninja-build g++ git ccache
      mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
      binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
      googletest libgtest-dev libbenchmark-dev
      clang clang-format libclang-rt-14-dev llvm
      wine wine64 fonts-wine xvfb xauth x11-apps imagemagick ghostscript)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
need_i386=0
if "$here/can-run-32.sh" 2>/dev/null; then
  dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed" || {
    missing+=(wine32:i386)
    dpkg --print-foreign-architectures | grep -qx i386 || need_i386=1
  }
fi
[ ${#missing[@]} -eq 0 ] && exit 0
SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
echo "setup: installing ${missing[*]}"
[ "$need_i386" -eq 0 ] || $SUDO dpkg --add-architecture i386
$SUDO apt-get update -qq >/dev/null
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
