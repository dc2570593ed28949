#!/bin/sh
# Builds the artwork check program against res/art and runs it under Wine
# in a virtual X display. Screenshots land in $OUT (default /tmp/artcheck).
# Needs: i686-w64-mingw32-g++-posix, windres, wine (32-bit), xvfb-run.
set -eu
HERE=$(cd "$(dirname "$0")" && pwd)
ART=$(cd "$HERE/../../../res/art" && pwd)
OUT=${OUT:-/tmp/artcheck}
mkdir -p "$OUT"
i686-w64-mingw32-windres -I "$HERE" -I "$ART" -O coff "$HERE/artcheck.rc" -o "$OUT/artcheck.res"
i686-w64-mingw32-g++-posix -std=c++17 -O2 -Wall -Wextra -static \
    "$HERE/artcheck.cpp" "$OUT/artcheck.res" -o "$OUT/artcheck.exe" -lcomctl32 -lgdi32
export WINEPREFIX=${WINEPREFIX:-/tmp/artcheck-prefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
[ -d "$WINEPREFIX" ] || wineboot -i >/dev/null 2>&1
cd "$OUT"
xvfb-run -a -s "-screen 0 800x600x24" wine artcheck.exe .
