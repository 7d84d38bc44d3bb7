#!/usr/bin/env bash
# Prints the version of an exe's version resource with four parts ("1.0.0.0"), read back
# from the file itself: scripts/dist.sh names the packages with it and the tests compare
# against it. Usage: scripts/exe-version.sh [exe]   (default: the cross build's Vantrel.exe)
set -euo pipefail
exe=${1:-$(dirname "$0")/../build/windows/src/win32/Vantrel.exe}
# windres prints the resource as a script: " PRODUCTVERSION 1, 0, 0, 0".
version=$(i686-w64-mingw32-windres -i "$exe" -O rc |
    awk '$1 == "PRODUCTVERSION" { $1 = ""; gsub(/[ ,]+/, "."); sub(/^\./, ""); print; exit }')
if [[ ! $version =~ ^[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+$ ]]; then
    echo "exe-version: no version resource in $exe" >&2
    exit 1
fi
echo "$version"
