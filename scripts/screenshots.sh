#!/usr/bin/env bash
# Refreshes the README's pictures (docs/wine-*.png) from the real program under Wine: builds
# Vantrel.exe, runs the end-to-end test that takes them (tests/wine/test-readme-pictures.sh)
# on a fresh prefix and a private virtual display, and copies them into docs/ without the
# metadata that would change at every run, so an unchanged picture stays unchanged in git.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD=${VANTREL_BUILD_DIR:-$ROOT/build}
export HOME=${HOME:-/root}

bash scripts/install-deps.sh
mkdir -p "$BUILD/logs"
cmake -S . -B "$BUILD/windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake >"$BUILD/logs/screenshots-configure.log" 2>&1
cmake --build "$BUILD/windows" -j2 --target Vantrel winlist

if ! bash tests/wine/run-all.sh readme-pictures; then
    echo "screenshots: the pictures were not all taken; docs/ is unchanged" >&2
    exit 1
fi
for picture in "$BUILD"/screenshots/readme/*.png; do
    target=docs/wine-$(basename "$picture")
    convert "$picture" -strip "$target"
    printf '%8d bytes  %s\n' "$(stat -c %s "$target")" "$target"
done
