#!/bin/sh
# Runs the Screenshot.* tests of one test program inside a Wine virtual
# desktop (which draws window frames and captions), then turns the BMP files
# they write into PNG files. Only a missing picture fails: one that cannot be
# converted is reported and kept as BMP.
#   take_screenshots.sh <program.exe> <output-folder> <expected-name>...
set -eu
pictures="$(cd "$(dirname "$0")/../.." && pwd)/tools/pictures/pictures.py"
program=$1
out=$2
shift 2
session=${KV_WINE_SESSION:?no Wine session}
. "$session/env"
mkdir -p "$out"
for name in "$@"; do rm -f "$out/$name.png" "$out/$name.bmp"; done
desktop=$(basename "$program" .exe)
# Through a file, not the caller's pipe: the desktop process outlives the
# program and would hold the pipe open (see tools/wine/run.sh).
log="$out/$desktop.log"
set +e
wine explorer /desktop="$desktop",1024x768 "$program" --gtest_filter='Screenshot.*' \
    --screenshots="$(winepath -w "$out")" >"$log" 2>&1 </dev/null
set -e
cat "$log"
rm -f "$log"
status=0
for name in "$@"; do
    if [ ! -f "$out/$name.bmp" ]; then
        echo "missing screenshot $name" >&2
        status=1
    elif python3 "$pictures" convert "$out/$name.bmp" "$out/$name.png" && python3 "$pictures" check "$out/$name.png"; then
        rm -f "$out/$name.bmp"
        echo "wrote $out/$name.png"
    else
        rm -f "$out/$name.png"
        echo "could not turn $name.bmp into a PNG; kept $out/$name.bmp"
    fi
done
exit $status
