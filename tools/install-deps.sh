#!/bin/sh
# Installs the Debian packages the build, the tests and the demo need, when
# missing. A package counts as there when dpkg says it is installed, not when
# some program of the same name stands on PATH: the Makefile then puts the
# system's own folders first, so the programs run are the packages' own.
# Runs as root on Debian; does nothing when everything is there.
#   install-deps.sh         what building, testing and the demo need
#   install-deps.sh bench   that and the peer installer's compiler (nsis) for `make bench`
set -eu
# Wine's own faces (Tahoma for the dialogs' "MS Shell Dlg") and fonts with the
# characters of the Chinese, Japanese and Korean texts, so that the gallery
# measures texts with the metrics their users see. clang and its libFuzzer
# runtime: the host fuzzing of the pure rules.
packages="g++-mingw-w64-i686 binutils-mingw-w64-i686 mingw-w64-i686-dev cmake xvfb xauth googletest python3
wine wine32:i386 fonts-wine fonts-wqy-microhei fonts-ipafont-gothic fonts-unfonts-core
clang libclang-rt-14-dev"

installed() {
    [ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null)" = "install ok installed" ]
}

need=""
if [ "${1:-}" = "bench" ]; then
    packages="$packages nsis"
fi
for package in $packages; do
    installed "$package" || need="$need $package"
done
[ -z "$need" ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: missing packages:$need; run as root" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
case "$need" in
*:i386*)
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    ;;
esac
apt-get update -qq
# shellcheck disable=SC2086
apt-get install -y -qq --no-install-recommends $need
