#!/usr/bin/env bash
# Checks the release build as users get it: a 32-bit (PE32, i386) Windows GUI
# program that needs no DLL beyond Windows' own and calls the ANSI form of
# every Windows function that has both an ANSI and a wide form.
#
#   check-release.sh notice.exe [OBJECT-OR-LIBRARY...]
#
# The objects and libraries are the program's own code. GCC's and MinGW's
# runtime, linked in statically, call three wide functions themselves
# (CreateSemaphoreW with no name for their locks, GetModuleHandleW and
# LoadLibraryW with fixed DLL names); no text of the program passes through
# them. So a wide import fails the check when the program's own code
# refers to it, and is reported as the runtime's otherwise. Without objects
# every wide import fails.
set -euo pipefail
# Tool output must not be translated (binutils speaks Chinese under zh_CN).
export LC_ALL=C
exe="${1:?usage: check-release.sh path/to/notice.exe [object-or-library...]}"
shift
own_code=("$@")
[ -f "$exe" ] || { echo "check-release: no such file: $exe" >&2; exit 2; }
objdump=i686-w64-mingw32-objdump
nm=i686-w64-mingw32-nm
libdir=/usr/i686-w64-mingw32/lib
command -v "$objdump" >/dev/null || { echo "check-release: $objdump not found (run tools/setup.sh)" >&2; exit 2; }

headers="$("$objdump" -p "$exe")"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

grep -q 'file format pei-i386' <<<"$headers" || fail "not an i386 PE image"
grep -qE '^Magic[[:space:]]+010b[[:space:]]+\(PE32\)' <<<"$headers" || fail "not PE32 (optional header magic 010b)"
grep -qE '^Subsystem[[:space:]]+00000002[[:space:]]+\(Windows GUI\)' <<<"$headers" || fail "subsystem is not Windows GUI"

# Windows' own libraries, which every supported Windows carries.
allowed_dlls="kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll ole32.dll gdiplus.dll msvcrt.dll"
checked_dlls="kernel32 user32 gdi32 advapi32 shell32 ole32"

# "DLL Name: X" followed by its imported names, one per line: "X name".
imports="$(awk '
    /^[[:space:]]*DLL Name:/ { dll = tolower($3); next }
    /^[[:space:]]*$/ { dll = "" }
    dll != "" && $1 ~ /^[0-9a-f]+$/ && NF >= 3 { print dll, $3 }
' <<<"$headers")"
dlls="$(grep -E '^[[:space:]]*DLL Name:' <<<"$headers" | awk '{print tolower($3)}' | sort -u)"
[ -n "$dlls" ] || fail "no imports found"
for dll in $dlls; do
    [[ " $allowed_dlls " == *" $dll "* ]] || fail "links $dll, which is not one of Windows' own ($allowed_dlls)"
done

# The names a system library exports, from MinGW's import library.
exports_of() {
    "$nm" "$libdir/lib$1.a" 2>/dev/null |
        awk '$2 == "T" || $2 == "I" { print $3 }' |
        sed -E 's/^__imp_//; s/^_//; s/@[0-9]+$//' | sort -u
}
# The Windows functions the program's own code refers to.
own_references=""
if [ ${#own_code[@]} -gt 0 ]; then
    for f in "${own_code[@]}"; do
        [ -f "$f" ] || { echo "check-release: no such object or library: $f" >&2; exit 2; }
    done
    own_references="$("$nm" -u "${own_code[@]}" 2>/dev/null |
        awk '{ print $NF }' | sed -nE 's/^__imp__([A-Za-z0-9_]+)(@[0-9]+)?$/\1/p' | sort -u)"
fi

runtime_wide=()
for base in $checked_dlls; do
    names="$(awk -v d="$base.dll" '$1 == d { print $2 }' <<<"$imports")"
    [ -n "$names" ] || continue
    exports="$(exports_of "$base")"
    while read -r name; do
        case "$name" in
            *W)
                ansi="${name%W}A"
                grep -qx "$ansi" <<<"$exports" || continue
                if [ ${#own_code[@]} -eq 0 ] || grep -qx "$name" <<<"$own_references"; then
                    fail "$base.dll: the program calls the wide $name although $ansi exists"
                else
                    runtime_wide+=("$name")
                fi
                ;;
        esac
    done <<<"$names"
done

count="$(wc -l <<<"$imports")"
if [ "$failures" -gt 0 ]; then
    echo "check-release: $failures problem(s) in $exe"
    exit 1
fi
echo "check-release: $exe is PE32 i386, Windows GUI, $count imports from: $(tr '\n' ' ' <<<"$dlls")"
echo "check-release: the program's own code calls only ANSI forms; wide imports of the static runtime: ${runtime_wide[*]:-none}"
