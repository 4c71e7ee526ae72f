#!/bin/bash
# Prints the size of the program and the DLLs it imports, and fails when one of them is not a
# system DLL (a compiler runtime such as libstdc++, libgcc or libwinpthread left dynamic).
#   exe-imports.sh build/Huebench.exe
set -e
exe=$1
objdump=${OBJDUMP:-x86_64-w64-mingw32-objdump}
[ -f "$exe" ] || { echo "exe-imports: $exe not found" >&2; exit 1; }
command -v "$objdump" >/dev/null || { echo "exe-imports: $objdump not found" >&2; exit 1; }

# DLLs that every Windows installation has in its system folder.
system_dll='^(kernel32|user32|gdi32|comctl32|comdlg32|version|advapi32|shell32|shlwapi|ole32|oleaut32|msvcrt|ucrtbase|ntdll|winspool\.drv|uxtheme|imm32|winmm|ws2_32|api-ms-win-.*)(\.dll)?$'

size=$(stat -c %s "$exe")
echo "$(basename "$exe"): $size bytes ($((size / 1024)) KiB)"
dlls=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
foreign=""
echo "Imported DLLs:"
# DLLs loaded at their first call (delay imports) name themselves only in their descriptors' strings.
delayed=$(grep -aoiE '[a-z0-9_]+\.dll' "$exe" | sort -uf | while read -r name; do
    echo "$dlls" | grep -qix "$name" || echo "$name"
done)
for dll in $dlls $delayed; do
    when=""
    echo "$delayed" | grep -qx "$dll" && when="   (loaded at its first call)"
    if echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$system_dll"; then
        echo "  $dll$when"
    else
        echo "  $dll$when   <-- NOT A SYSTEM DLL"
        foreign="$foreign $dll"
    fi
done
if [ -n "$foreign" ]; then
    echo "exe-imports: FAILED: $(basename "$exe") needs DLLs that Windows does not have:$foreign" >&2
    echo "exe-imports: link it with -static so that it runs on its own" >&2
    exit 1
fi
echo "All imports are system DLLs."
