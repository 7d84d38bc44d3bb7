#!/usr/bin/env bash
# Installs what building and testing need on Debian (run as root). When everything is
# present it only asks dpkg and returns, so every command can call it first.
set -euo pipefail

packages=(
    cmake ninja-build g++ python3
    libgtest-dev googletest libbenchmark-dev
    clang libclang-rt-14-dev
    g++-mingw-w64-i686-posix
    wine wine32:i386 wine64
    xvfb xdotool x11-utils imagemagick zstd
    nsis zip
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ $status == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "install-deps: installing ${missing[*]}" >&2
as_root=()
[[ $(id -u) -eq 0 ]] || as_root=(sudo)

# wine32 comes from the i386 side of the archive.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${as_root[@]}" dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
