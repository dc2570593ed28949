#!/bin/sh
# Installs the cross compiler, Wine (32-bit), Xvfb, CMake and clang when missing.
# Runs as root on Debian; does nothing when everything is there.
set -eu
need=""
command -v i686-w64-mingw32-g++-posix >/dev/null 2>&1 || need="$need g++-mingw-w64-i686 binutils-mingw-w64-i686 mingw-w64-i686-dev"
command -v cmake >/dev/null 2>&1 || need="$need cmake"
command -v Xvfb >/dev/null 2>&1 || need="$need xvfb xauth"
command -v convert >/dev/null 2>&1 || need="$need imagemagick"
[ -d /usr/src/googletest ] || need="$need googletest"
command -v python3 >/dev/null 2>&1 || need="$need python3"
# The host fuzzing of the pure rules: clang with libFuzzer and the sanitizers.
for package in clang libclang-rt-14-dev; do
    dpkg -s "$package" >/dev/null 2>&1 || need="$need $package"
done
wine32=0
dpkg -s wine32:i386 >/dev/null 2>&1 && command -v wine >/dev/null 2>&1 && wine32=1
if [ -z "$need" ] && [ $wine32 -eq 1 ]; then
    exit 0
fi
if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: missing packages:$need (wine32:i386: $wine32); run as root" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi
apt-get update -qq
[ $wine32 -eq 1 ] || need="$need wine wine32:i386"
# shellcheck disable=SC2086
apt-get install -y -qq --no-install-recommends $need
