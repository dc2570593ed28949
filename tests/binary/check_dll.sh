#!/bin/sh
# The built library exports DOINSTALL and DOINSTALLEX under their plain names
# only; the launcher and the uninstaller are Windows (not console) programs
# with their icon as the first icon group; all carry a version resource. All
# import nothing but the Windows DLLs that every supported system
# ships from its first release (no C runtime: the first Windows 95 has no
# msvcrt.dll; no C++ runtime, libgcc or pthread DLLs) and no function the
# oldest supported systems lack. KV_MAX_BYTES: the most bytes the module may
# take (the uninstaller's limit).
set -eu
dll=$1
size=$(stat -c %s "$dll")
if [ -n "${KV_MAX_BYTES:-}" ] && [ "$size" -gt "$KV_MAX_BYTES" ]; then
    echo "$size bytes, more than the $KV_MAX_BYTES allowed"
    exit 1
fi
dump=$(i686-w64-mingw32-objdump -p "$dll")
exports=$(printf '%s\n' "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | grep -E '^[[:space:]]+\[' | sed 's/^.*\] //')
if [ "${dll##*.}" = "dll" ] && [ "$(printf '%s' "$exports" | tr '\n' ' ')" != "DOINSTALL DOINSTALLEX" ]; then
    echo "unexpected export table: $exports"
    exit 1
fi
resources=$(i686-w64-mingw32-windres -i "$dll" -O rc 2>/dev/null) || resources=""
for value in FileDescription FileVersion ProductVersion OriginalFilename; do
    if ! printf '%s\n' "$resources" | grep -q "VALUE \"$value\", \"[^\"]"; then
        echo "no $value in the version resource"
        exit 1
    fi
done
if [ "${dll##*.}" = "exe" ]; then
    if ! printf '%s\n' "$dump" | grep -q 'Subsystem.*(Windows GUI)'; then
        echo "not a Windows program: $(printf '%s\n' "$dump" | grep Subsystem)"
        exit 1
    fi
    # Explorer shows the first icon group; the programs' is 128.
    first_group=$(printf '%s\n' "$resources" | sed -n 's/^\([0-9A-Za-z_]*\) 14 \/\* RT_GROUP_ICON.*/\1/p' | head -n 1)
    if [ "$first_group" != "128" ]; then
        echo "first icon group is '$first_group', not the program's icon 128"
        exit 1
    fi
fi
allowed='^(KERNEL32|USER32|GDI32|ADVAPI32|COMCTL32|SHELL32|OLE32)\.dll$'
bad=0
for name in $(printf '%s\n' "$dump" | sed -n 's/^[[:space:]]*DLL Name: //p'); do
    if ! printf '%s\n' "$name" | grep -Eiq "$allowed"; then
        echo "imports a non-system DLL: $name"
        bad=1
    fi
done
# Functions newer than the first Windows 95 or NT 4.0: importing one stops
# the module from loading on the older systems at all. Among them what C and
# C++ runtimes and thread libraries like to call (interlocked and fiber-local
# functions, pointer encoding, heap and processor queries), and newer user
# interface and registry calls.
too_new='^(GetTickCount64|AddVectoredExceptionHandler|RemoveVectoredExceptionHandler|GetHandleInformation|TryEnterCriticalSection|IsDebuggerPresent|SetProcessAffinityMask|GetProcessAffinityMask|IsDBCSLeadByteEx|InitializeCriticalSectionAndSpinCount|GetFileAttributesExA|SwitchToThread|InitOnceExecuteOnce|GetFileSizeEx|SetFilePointerEx|GetModuleHandleExA|GetModuleHandleExW|FlsAlloc|FlsFree|FlsGetValue|FlsSetValue|QueryFullProcessImageNameA|InterlockedCompareExchange|InterlockedExchangeAdd|IsProcessorFeaturePresent|EncodePointer|DecodePointer|HeapSetInformation|HeapQueryInformation|SetThreadStackGuarantee|GetSystemTimePreciseAsFileTime|CreateWaitableTimerA|SignalObjectAndWait|QueueUserAPC|GetLongPathNameA|CopyFileExA|MoveFileExA|GetDiskFreeSpaceExA|GetGUIThreadInfo|TrackMouseEvent|SendInput|SetLayeredWindowAttributes|AnimateWindow|GetAncestor|GetLayout|SetLayout|AlphaBlend|GradientFill|TransparentBlt|RegGetValueA|RegDeleteKeyExA|RegOpenCurrentUser|InitCommonControlsEx)$'
for name in $(printf '%s\n' "$dump" | awk '/DLL Name:/{dll=toupper($3); next} dll != "" && NF==3 && $1 ~ /^[0-9a-f]+$/ {print $3}'); do
    if printf '%s\n' "$name" | grep -Eq "$too_new"; then
        echo "imports a function the oldest supported systems lack: $name"
        bad=1
    fi
done
[ $bad -eq 0 ] || exit 1
echo "size: $size bytes"
echo "exports: $(printf '%s' "$exports" | tr '\n' ' ')"
echo "imports: $(printf '%s\n' "$dump" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '\n' ' ')"
