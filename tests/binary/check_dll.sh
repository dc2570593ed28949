#!/bin/sh
# The built library exports DOINSTALL under its plain name only; it and the
# launcher import nothing but Windows' own DLLs (no C++ runtime, libgcc or
# pthread DLLs) and no function the oldest supported systems lack.
set -eu
dll=$1
dump=$(i686-w64-mingw32-objdump -p "$dll")
exports=$(printf '%s\n' "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | grep -E '^[[:space:]]+\[' | sed 's/^.*\] //')
if [ "${dll##*.}" = "dll" ] && [ "$exports" != "DOINSTALL" ]; then
    echo "unexpected export table: $exports"
    exit 1
fi
allowed='^(KERNEL32|USER32|GDI32|ADVAPI32|COMCTL32|COMDLG32|SHELL32|OLE32|OLEAUT32|msvcrt)\.dll$'
bad=0
for name in $(printf '%s\n' "$dump" | sed -n 's/^[[:space:]]*DLL Name: //p'); do
    if ! printf '%s\n' "$name" | grep -Eiq "$allowed"; then
        echo "imports a non-system DLL: $name"
        bad=1
    fi
done
# Functions newer than Windows 95 / NT 4: importing one stops the module
# from loading on the older systems at all.
too_new='^(GetTickCount64|AddVectoredExceptionHandler|RemoveVectoredExceptionHandler|GetHandleInformation|TryEnterCriticalSection|IsDebuggerPresent|SetProcessAffinityMask|GetProcessAffinityMask|IsDBCSLeadByteEx|InitializeCriticalSectionAndSpinCount|GetFileAttributesExA|SwitchToThread|InitOnceExecuteOnce|GetFileSizeEx|SetFilePointerEx|GetModuleHandleExA|GetModuleHandleExW|FlsAlloc|QueryFullProcessImageNameA)$'
for name in $(printf '%s\n' "$dump" | awk '/DLL Name:/{dll=toupper($3); next} dll ~ /^KERNEL32/ && NF==3 && $1 ~ /^[0-9a-f]+$/ {print $3}'); do
    if printf '%s\n' "$name" | grep -Eq "$too_new"; then
        echo "imports a function the oldest supported systems lack: $name"
        bad=1
    fi
done
[ $bad -eq 0 ] || exit 1
echo "exports: $exports"
echo "imports: $(printf '%s\n' "$dump" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '\n' ' ')"
