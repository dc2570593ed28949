#!/bin/sh
# A Wine test session: a fresh prefix, an Xvfb display and a kept-alive wine
# server, shared by the test programs of one ctest run and removed afterwards.
#   session.sh start <session-dir> [appdefaults-list [system-libraries-list]]
#   session.sh stop  <session-dir>
# The second list names test doubles of system libraries, one file a line;
# each is put where the system keeps the real one (the prefix's system
# folder), which is where the engine loads system libraries from.
set -eu
action=$1
dir=$2
list=${3:-}
system_list=${4:-}

stop_session() {
    if [ -f "$dir/env" ]; then
        . "$dir/env"
        WINEPREFIX="$WINEPREFIX" wineserver -k 2>/dev/null || true
        [ -n "${KV_XVFB_PID:-}" ] && kill "$KV_XVFB_PID" 2>/dev/null || true
    fi
    rm -rf "$dir"
}

case "$action" in
start)
    stop_session
    mkdir -p "$dir"
    prefix="$dir/prefix"
    # A free display number for our own Xvfb.
    n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$dir/xvfb.log" 2>&1 &
    xvfb_pid=$!
    i=0
    while [ ! -e "/tmp/.X11-unix/X$n" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
    cat >"$dir/env" <<ENV
export WINEPREFIX='$prefix'
export WINEARCH=win32
export WINEDEBUG=-all
export DISPLAY=':$n'
export KV_XVFB_PID=$xvfb_pid
ENV
    . "$dir/env"
    mkdir -p "$prefix"
    # A persistent server first, so every later program starts quickly.
    wineserver -p >/dev/null 2>&1 </dev/null
    WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >"$dir/wineboot.log" 2>&1
    # Without a window manager, Wine waits for one each time a managed
    # window is hidden; let Wine manage the windows itself. Every saved
    # shortcut would start a desktop-menu builder that lingers and slows
    # the shortcut step: it is turned off (an empty override disables it).
    reg="$dir/settings.reg"
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n\r\n' >"$reg"
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\DllOverrides]\r\n"winemenubuilder.exe"=""\r\n\r\n' >>"$reg"
    if [ -n "$list" ] && [ -s "$list" ]; then
        while read -r exe version; do
            [ -n "$exe" ] || continue
            printf '[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\%s]\r\n"Version"="%s"\r\n\r\n' \
                "$exe" "$version" >>"$reg"
        done <"$list"
    fi
    wine regedit /S "$(winepath -w "$reg")" >/dev/null 2>&1
    if [ -n "$system_list" ] && [ -s "$system_list" ]; then
        while read -r library; do
            [ -n "$library" ] || continue
            [ -f "$library" ] || { echo "session.sh: $library is not built" >&2; continue; }
            cp "$library" "$prefix/drive_c/windows/system32/$(basename "$library")"
        done <"$system_list"
    fi
    echo "wine session ready in $dir (display :$n)"
    ;;
stop)
    stop_session
    echo "wine session removed"
    ;;
*)
    echo "usage: session.sh start|stop <dir> [list]" >&2
    exit 2
    ;;
esac
