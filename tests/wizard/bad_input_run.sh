#!/bin/sh
# Runs the bad-input test program with the faults only the build machine can
# make: a 256 KiB ext2 file system as drive Y: (needs root and a loop
# device), and an immutable folder and stale log (chattr). The program is
# told which it got; the cases it did not get are skipped with a message.
#   bad_input_run.sh <run.sh> <program> [arguments...]
set -u
run=$1
shift
. "$KV_WINE_SESSION/env"
work=$KV_WINE_SESSION/bad-input
mounted=""
locked=""
cleanup() {
    if [ -n "$locked" ]; then
        chattr -i "$work/locked-folder" "$work/locked-log/kvrem00.log" 2>/dev/null
    fi
    rm -f "$WINEPREFIX/dosdevices/y:"
    [ -n "$mounted" ] && umount "$work/disk" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
rm -rf "$work"
mkdir -p "$work/disk" "$work/locked-folder" "$work/locked-log"
faults=""
if [ "$(id -u)" -eq 0 ] && dd if=/dev/zero of="$work/disk.img" bs=1024 count=256 2>/dev/null &&
    mkfs.ext2 -q -F -b 1024 "$work/disk.img" >/dev/null 2>&1 &&
    mount -o loop "$work/disk.img" "$work/disk" 2>/dev/null; then
    mounted=1
    ln -sfn "$work/disk" "$WINEPREFIX/dosdevices/y:"
    faults="$faults --full-disk=Y:"
else
    echo "bad_input_run.sh: no small file system could be mounted; the full-disk cases are skipped"
fi
printf '\377C:\\earlier\\file.exe\000' >"$work/locked-log/kvrem00.log"
if chattr +i "$work/locked-folder" "$work/locked-log/kvrem00.log" 2>/dev/null; then
    locked=1
    faults="$faults --locked-folder=$work/locked-folder --locked-log-folder=$work/locked-log"
else
    echo "bad_input_run.sh: chattr +i is not available here; the immutable folder and log cases are skipped"
fi
# shellcheck disable=SC2086
"$run" "$@" $faults
