#!/usr/bin/env bash
# scripts/check-exe.sh must fail on every kind of unhardened exe and pass a hardened one: tiny
# programs are linked with one fault each and the check must name that fault.
# Prints one PASS: or FAIL: line per case; exits non-zero when any case failed.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat >"$work/plain.c" <<'SOURCE'
#include <windows.h>
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR line, int show) {
    (void)instance; (void)previous; (void)line; (void)show;
    return 0;
}
SOURCE
# version.dll is no KnownDLL: Windows would load a copy planted beside the exe.
cat >"$work/planted.c" <<'SOURCE'
#include <windows.h>
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR line, int show) {
    (void)instance; (void)previous; (void)show;
    return (int)GetFileVersionInfoSizeA(line, NULL);
}
SOURCE

# name | source | link flags | what the check prints ("check-exe: ok" for the control)
cases=(
    "hardened|plain|-s -Wl,--dynamicbase -Wl,--nxcompat|check-exe: ok"
    "no ASLR|plain|-s -Wl,--disable-dynamicbase|DYNAMIC_BASE is not set"
    "no DEP|plain|-s -Wl,--disable-nxcompat|NX_COMPAT is not set"
    "relocations left out|plain|-s -Wl,--disable-reloc-section|no relocations"
    "debug information|plain|-g|debug sections: .debug"
    "symbols kept|plain|-Wl,--strip-debug|a symbol table with"
    "debug directory|plain|-s -Wl,--build-id|a debug directory is present"
    "plantable import|planted|-s -lversion|imports VERSION.dll"
)

passed=0
failed=0
for entry in "${cases[@]}"; do
    IFS='|' read -r name source flags expected <<<"$entry"
    exe="$work/${name// /-}.exe"
    # shellcheck disable=SC2086 # the flags are words
    if ! i686-w64-mingw32-gcc -O2 -o "$exe" "$work/$source.c" $flags 2>"$work/gcc.log"; then
        echo "FAIL: check-exe: $name: the sample did not link ($(head -n1 "$work/gcc.log"))"
        failed=$((failed + 1))
        continue
    fi
    output=$(bash "$root/scripts/check-exe.sh" "$exe" 2>&1)
    status=$?
    if [[ $expected == "check-exe: ok" ]]; then want_status=0; else want_status=1; fi
    if [[ $status -eq $want_status && $output == *"$expected"* ]]; then
        echo "PASS: check-exe: $name"
        passed=$((passed + 1))
    else
        echo "FAIL: check-exe: $name: expected status $want_status and '$expected', got $status:"
        sed 's/^/    /' <<<"$output"
        failed=$((failed + 1))
    fi
done
echo "check-exe: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
