#!/usr/bin/env bash
# Installs what building and testing need, from Debian's packages. Does nothing when all is there.
set -euo pipefail

packages=(
  cmake ninja-build make git
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine wine32:i386 wine64 fonts-wine
  xvfb xauth
  googletest
  clang libclang-rt-14-dev
  python3
  nsis zip
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
needI386=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  needI386=1
fi
if [ "${#missing[@]}" -eq 0 ] && [ "$needI386" -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "setup: installing ${missing[*]}"
if [ "$needI386" -eq 1 ]; then
  $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
