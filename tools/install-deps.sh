#!/bin/sh
# Installs the Debian packages the build, the tests and the demo need, when
# missing. A package counts as there when dpkg says it is installed, not when
# some program of the same name stands on PATH: the Makefile then puts the
# system's own folders first, so the programs run are the packages' own.
# Runs as root on Debian; does nothing when everything is there.
set -eu
packages="g++-mingw-w64-i686 binutils-mingw-w64-i686 mingw-w64-i686-dev cmake xvfb xauth googletest python3
wine wine32:i386 fonts-ipafont-gothic"

installed() {
    [ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null)" = "install ok installed" ]
}

need=""
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
