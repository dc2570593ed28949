#!/bin/sh
# The built library exports DOINSTALL under its plain name only and imports
# nothing but Windows' own DLLs (no C++ runtime, libgcc or pthread DLLs).
set -eu
dll=$1
dump=$(i686-w64-mingw32-objdump -p "$dll")
exports=$(printf '%s\n' "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | grep -E '^[[:space:]]+\[' | sed 's/^.*\] //')
if [ "$exports" != "DOINSTALL" ]; then
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
[ $bad -eq 0 ] || exit 1
echo "exports: $exports"
echo "imports: $(printf '%s\n' "$dump" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '\n' ' ')"
