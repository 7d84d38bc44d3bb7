#!/usr/bin/env bash
# What scripts/dist.sh made in build/dist: both packages are named with the version of the
# exe's version resource, the zip holds exactly the built exe, the read-me and the licence as
# Windows text, and the installer carries the same version and asks for no administrator
# rights. Run after scripts/dist.sh. Prints one PASS: or FAIL: line per check.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${VANTREL_BUILD_DIR:-$root/build}
exe=$build/windows/src/win32/Vantrel.exe
dist=$build/dist

passed=0
failed=0
check() {
    local what=$1
    shift
    if "$@"; then
        echo "PASS: packages: $what"
        passed=$((passed + 1))
    else
        echo "FAIL: packages: $what"
        failed=$((failed + 1))
    fi
}

resource_version() { bash "$root/scripts/exe-version.sh" "$1" 2>/dev/null; }
zip_names() { python3 -c 'import sys, zipfile; print(" ".join(zipfile.ZipFile(sys.argv[1]).namelist()))' "$1"; }
zip_member() {
    python3 -c 'import sys, zipfile; sys.stdout.buffer.write(zipfile.ZipFile(sys.argv[1]).read(sys.argv[2]))' "$1" "$2"
}
# Every line ends in CR LF.
windows_text() { ! grep -q $'[^\r]$\|^$' <<<"$(zip_member "$zip" "$1")"; }
same_as_built() { cmp -s "$exe" <(zip_member "$zip" Vantrel.exe); }
holds() { zip_member "$zip" "$1" | grep -q "$2"; }
# The manifest NSIS writes for RequestExecutionLevel user.
runs_as_invoker() { grep -aq 'requestedExecutionLevel level="asInvoker"' "$setup"; }

version4=$(resource_version "$exe")
version=${version4%.0}
zip=$dist/Vantrel-$version-portable.zip
setup=$dist/Vantrel-$version-setup.exe
check "the exe has a version resource ($version4)" test -n "$version4"
check "the zip is named with it ($(basename "$zip"))" test -f "$zip"
check "the installer is named with it ($(basename "$setup"))" test -f "$setup"
if [[ -f $zip ]]; then
    names=$(zip_names "$zip")
    check "the zip holds the exe, the read-me and the licence ($names)" \
        test "$names" == "Vantrel.exe ReadMe.txt License.txt"
    check "the zip's exe is the one built" same_as_built
    check "the read-me names the version" holds ReadMe.txt "Vantrel $version"
    check "the licence is the MIT licence of the Vantrel developers" \
        holds License.txt "Copyright (c) 2026 The Vantrel developers"
    check "the read-me and the licence have Windows line ends" \
        eval 'windows_text ReadMe.txt && windows_text License.txt'
fi
if [[ -f $setup ]]; then
    check "the installer carries the same version" test "$(resource_version "$setup")" == "$version4"
    check "the installer asks for no administrator rights" runs_as_invoker
fi
echo "packages: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
