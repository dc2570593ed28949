#!/bin/sh
# The main job: the real wizard on the staged sample package under Wine.
# With a display (DISPLAY set and KV_DEMO_HEADLESS unset) the launcher runs
# interactively. Otherwise a scripted walk-through installs the package into
# a throwaway Wine prefix on its own Xvfb, saves a picture of every page and
# of the progress dialog into <build>/demo/, and prints what was installed;
# then it uninstalls with the installed kvrem00.exe (yes to its question, no
# to a restart), pictures its screens and prints what it removed and left.
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
# The install's part first, then its log, then the uninstall's part.
tr -d '\r' <"$report" | sed '/^Uninstall: /,$d'
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
# (kvdemo keeps a copy: the uninstaller removes the log with the rest).
log=$(tr -d '\r' <"$report" | sed -n 's/^UninstallLog kept as: //p')
if [ -n "$log" ]; then
    echo
    echo "UninstallLog, as tools/kvlog reads it:"
    "$root/tools/kvlog" "$(winepath -u "$log" 2>/dev/null)" >"$pictures/log.txt" || code=1
    sed 's/^/  /' "$pictures/log.txt"
    rm -f "$(winepath -u "$log" 2>/dev/null)"
fi
tr -d '\r' <"$report" | sed -n '/^Uninstall: /,$p'
echo
echo "Pictures of the pages, the progress dialog and the uninstaller's screens:"
ls -1 "$pictures" | sed 's/^/  /'
[ "$code" -eq 0 ] || { echo "walk-through failed (exit $code)"; exit 1; }
