#!/usr/bin/env bash
# Checks that a release build of Vantrel.exe is hardened, and prints what it found:
#   - ASLR and DEP: DllCharacteristics has DYNAMIC_BASE and NX_COMPAT, and the relocations
#     that ASLR needs are in the file (a 32-bit exe has no HIGH_ENTROPY_VA);
#   - no debug information: no .debug sections, no symbol table, no debug directory;
#   - imports only from DLLs that Windows maps from System32 by its KnownDLLs list, so a DLL
#     of the same name beside the exe (in Downloads, say) is never loaded in their place; the
#     other system libraries the program needs are loaded on demand from System32 only;
#   - under 1.5 MiB.
# Usage: scripts/check-exe.sh [path/to/Vantrel.exe]   (default: the cross build's)
# Exits non-zero, naming each problem, when any check fails.
set -euo pipefail
cd "$(dirname "$0")/.."
exe=${1:-build/windows/src/win32/Vantrel.exe}
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}

SIZE_LIMIT=$((1536 * 1024))
# Lower case. comctl32, version, powrprof and wininet are absent on purpose: Windows looks
# for them in the program's folder first.
KNOWN_DLLS=(advapi32 combase comdlg32 gdi32 imm32 kernel32 msvcrt ntdll ole32 oleaut32 psapi
    rpcrt4 sechost setupapi shcore shell32 shlwapi user32 ws2_32)

problems=0
problem() {
    echo "check-exe: FAILED: $*"
    problems=$((problems + 1))
}

if [[ ! -f $exe ]]; then
    echo "check-exe: no file at $exe (build it with the cross build first)" >&2
    exit 1
fi
headers=$("$objdump" -p "$exe")
sections=$("$objdump" -h "$exe")

size=$(stat -c %s "$exe")
echo "$exe: $size bytes ($((size / 1024)) KiB)"
((size < SIZE_LIMIT)) || problem "the exe is $size bytes, not under 1.5 MiB"

# DllCharacteristics, then its flags one per line.
flags_value=$(awk '$1 == "DllCharacteristics" { print $2 }' <<<"$headers")
flags=$(awk '$1 == "DllCharacteristics" { on = 1; next }
             on && /^\t\t/ { print $1; next }
             on { exit }' <<<"$headers" | xargs)
echo "DllCharacteristics 0x$flags_value: $flags"
for flag in DYNAMIC_BASE NX_COMPAT; do
    [[ " $flags " == *" $flag "* ]] || problem "$flag is not set"
done

# Directory entries: "Entry 5 000b6000 00002de0 Base Relocation Directory".
directory_size() { awk -v name="$1" '$1 == "Entry" && index($0, name) { print $4; exit }' <<<"$headers"; }
relocations=$(directory_size "Base Relocation Directory")
echo "relocations: $((16#${relocations:-0})) bytes"
[[ -n $relocations && $relocations != 00000000 ]] ||
    problem "no relocations: Windows cannot move the exe, whatever DYNAMIC_BASE says"
grep -q "relocations stripped" <<<"$headers" && problem "the file says its relocations are stripped"

debug_sections=$(awk '$1 ~ /^[0-9]+$/ && ($2 ~ /^\.debug/ || $2 ~ /^\/[0-9]+$/) { print $2 }' \
    <<<"$sections" | xargs)
debug_directory=$(directory_size "Debug Directory")
symbols=$("$objdump" -t "$exe" | grep -c -v -E '^$|file format|^SYMBOL TABLE:|^no symbols$' || true)
echo "debug sections: ${debug_sections:-none}; debug directory: $((16#${debug_directory:-0}))" \
    "bytes; symbols: $symbols"
[[ -z $debug_sections ]] || problem "debug sections: $debug_sections"
[[ -z $debug_directory || $debug_directory == 00000000 ]] || problem "a debug directory is present"
((symbols == 0)) || problem "a symbol table with $symbols entries is present"

delayed=$(directory_size "Delay Import Directory")
[[ -z $delayed || $delayed == 00000000 ]] || problem "delay-loaded imports are present"

echo "imports:"
dlls=$(awk '/DLL Name:/ { print $3 }' <<<"$headers")
[[ -n $dlls ]] || problem "no import table found"
for dll in $dlls; do
    lower=${dll,,}
    if [[ " ${KNOWN_DLLS[*]} " == *" ${lower%.dll} "* ]]; then
        echo "    $dll"
    else
        echo "    $dll   <- not loaded from System32 by name"
        problem "imports $dll, which Windows may load from the program's folder"
    fi
done

if ((problems > 0)); then
    echo "check-exe: $problems problem(s)"
    exit 1
fi
echo "check-exe: ok"
