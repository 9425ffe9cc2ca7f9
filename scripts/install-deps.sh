#!/usr/bin/env bash
# Installs what the builds and tests need from Debian's packages: the native and -m32 tool
# chains, GoogleTest, clang with libFuzzer, the mingw-w64 i686 cross tool chain and 32-bit Wine.
# Does nothing when everything is already there.
#   scripts/install-deps.sh              everything every configuration needs
#   scripts/install-deps.sh PACKAGE...   only these (the demo needs the native build alone)
set -euo pipefail

packages=("$@")
if [ ${#packages[@]} -eq 0 ]; then
  packages=(
    cmake g++ g++-multilib googletest libgtest-dev python3
    clang libclang-rt-14-dev
    gcc-mingw-w64-i686 g++-mingw-w64-i686 binutils-mingw-w64-i686
    wine wine32:i386
  )
fi

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo

# wine32 is an i386 package.
if printf '%s\n' "${packages[@]}" | grep -q ':i386$' &&
   ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -q
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
    "${missing[@]}"
fi
