#!/usr/bin/env bash
# The release command (also `make dist`): from a clean checkout on Debian it installs what is
# missing, cross-builds the release Vantrel.exe, checks its hardening (scripts/check-exe.sh)
# and makes, in build/dist/:
#   Vantrel-<version>-portable.zip   Vantrel.exe, ReadMe.txt and License.txt
#   Vantrel-<version>-setup.exe      the per-user installer (NSIS, package/Vantrel.nsi)
#   Vantrel-<version>.map            the exe's link map, kept for crash addresses, not shipped
# The version is read from the version resource of the exe just built, so the file names, the
# installer's own version and the version Windows shows for the program all agree.
# VANTREL_BUILD_DIR moves the build folder (as for the tests).
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD=${VANTREL_BUILD_DIR:-$ROOT/build}
WINDOWS=$BUILD/windows
DIST=$BUILD/dist
EXE=$WINDOWS/src/win32/Vantrel.exe
export HOME=${HOME:-/root}

log() { echo "dist: $*" >&2; }

bash scripts/install-deps.sh
mkdir -p "$BUILD/logs"
if ! cmake -S . -B "$WINDOWS" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake >"$BUILD/logs/dist-configure.log" 2>&1; then
    cat "$BUILD/logs/dist-configure.log" >&2
    exit 1
fi
cmake --build "$WINDOWS" -j2 --target Vantrel
bash scripts/check-exe.sh "$EXE"

version4=$(bash scripts/exe-version.sh "$EXE")
# 1.0.0.0 is named 1.0.0; a fourth part other than 0 stays.
version=${version4%.0}
log "version $version (from the version resource of $EXE)"

stage=$DIST/stage
rm -rf "$stage"
mkdir -p "$stage"
cp "$EXE" "$stage/Vantrel.exe"
# Text files with CRLF line ends, for every Windows editor.
to_windows_text() { sed -e "s/@VERSION@/$version/g" -e 's/\r$//' -e 's/$/\r/' "$1" >"$2"; }
to_windows_text package/ReadMe.txt "$stage/ReadMe.txt"
to_windows_text LICENSE "$stage/License.txt"
# The same dates in the zip for the same commit.
stamp=$(git log -1 --format=%ct 2>/dev/null || date +%s)
touch -d "@$stamp" "$stage"/*

zip_file=$DIST/Vantrel-$version-portable.zip
setup_file=$DIST/Vantrel-$version-setup.exe
rm -f "$zip_file" "$setup_file"
(cd "$stage" && TZ=UTC zip -q -X -9 "$zip_file" Vantrel.exe ReadMe.txt License.txt)

makensis -V2 -NOCD -INPUTCHARSET UTF8 \
    "-DVERSION=$version" "-DVERSION4=$version4" "-DSTAGE=$stage" \
    "-DICON=$ROOT/art/rendered/Vantrel.ico" "-DOUTFILE=$setup_file" package/Vantrel.nsi

# Not shipped: the link map of exactly this exe, for naming the code at a crash address.
cp "$WINDOWS/src/win32/Vantrel.map" "$DIST/Vantrel-$version.map" 2>/dev/null || true

for file in "$EXE" "$zip_file" "$setup_file"; do
    printf '%10d bytes  %s\n' "$(stat -c %s "$file")" "${file#"$ROOT"/}"
done
