#!/bin/sh
# The main job: the real wizard on the staged sample package under Wine.
# With a display (DISPLAY set and KV_DEMO_HEADLESS unset) the launcher runs
# interactively. Otherwise a scripted walk-through installs the package into
# a throwaway Wine prefix on its own Xvfb, saves a picture of every page and
# of the progress dialog into <build>/demo/, and prints what was installed.
set -eu
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$build" && pwd)
session="$build/demo-session"

if [ -n "${DISPLAY:-}" ] && [ -z "${KV_DEMO_HEADLESS:-}" ]; then
    echo "Interactive setup on display $DISPLAY (set KV_DEMO_HEADLESS=1 for the scripted walk-through)"
    cd "$build/package"
    set +e
    WINEDEBUG=-all wine setup.exe /norestart
    code=$?
    set -e
    echo "launcher exit code (low byte): $code"
    exit 0
fi

"$root/tools/wine/session.sh" start "$session" >/dev/null
trap '"$root/tools/wine/session.sh" stop "$session" >/dev/null' EXIT
. "$session/env"
# Wine then hides windows without waiting for a window manager.
wine reg add 'HKCU\Software\Wine\AppDefaults\kvdemo.exe\X11 Driver' /v Managed /d N /f >/dev/null 2>&1

pictures="$build/demo"
rm -rf "$pictures"
mkdir -p "$pictures"
echo "Scripted walk-through of the setup wizard (throwaway Wine prefix, display $DISPLAY)"
set +e
# Through a file: Wine's desktop process outlives the program and would hold a pipe open.
report="$pictures/report.txt"
wine explorer /desktop=kvdemo,1024x768 "$build/tools/demo/kvdemo.exe" "$(winepath -w "$build/package")" "$(winepath -w "$pictures")" >"$report" 2>/dev/null </dev/null
code=$?
tr -d '\r' <"$report"
set -e
for bmp in "$pictures"/*.bmp; do
    [ -e "$bmp" ] || continue
    png="${bmp%.bmp}.png"
    if python3 "$root/tools/pictures/pictures.py" convert "$bmp" "$png" &&
        python3 "$root/tools/pictures/pictures.py" check "$png"; then
        rm -f "$bmp"
    else
        rm -f "$png"
        echo "could not turn $(basename "$bmp") into a PNG; kept the BMP"
    fi
done
# The log is read back on this machine by the package authors' log reader.
log=$(tr -d '\r' <"$report" | sed -n 's/^UninstallLog file: //p')
if [ -n "$log" ]; then
    echo
    echo "UninstallLog, as tools/kvlog reads it:"
    "$root/tools/kvlog" "$(winepath -u "$log" 2>/dev/null)" >"$pictures/log.txt" || code=1
    sed 's/^/  /' "$pictures/log.txt"
fi
echo
echo "Pictures of the pages and the progress dialog:"
ls -1 "$pictures" | sed 's/^/  /'
[ "$code" -eq 0 ] || { echo "walk-through failed (exit $code)"; exit 1; }
