#!/usr/bin/env bash
# Renders the vector artwork under art/src and rewrites the committed outputs:
#   src/render/PictureData.cpp   the 16-pixel pictures compiled into the program
#   art/rendered/pictures.bin    their 20- to 48-pixel renders, packed, a resource of the exe
#   art/rendered/Vantrel.ico     the program and tray icon, every size with alpha (its 256-pixel
#                                image is also the About picture)
#   art/rendered/preview.png     a contact sheet for reviewing the pictures by eye
# Needs only Debian packages; installs the missing ones (as root or through sudo).
set -euo pipefail

art=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$art")

install_missing_packages() {
    local missing=()
    command -v rsvg-convert >/dev/null || missing+=(librsvg2-bin)
    command -v convert >/dev/null || missing+=(imagemagick)
    command -v python3 >/dev/null || missing+=(python3)
    [ -e /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf ] || missing+=(fonts-dejavu-core)
    [ ${#missing[@]} -eq 0 ] && return
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "render.sh: installing ${missing[*]}"
    # Stale package lists are the usual reason for a failed install: refresh once and retry.
    "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}" ||
        { "${sudo[@]}" apt-get update && "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"; }
}

render() { # svg, side, png
    rsvg-convert --width "$2" --height "$2" --format png --output "$3" "$1"
}

install_missing_packages

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/icon"

# The menu pictures and the glyphs at every size a display scaling from 100% to 300% needs:
# each drawn from its vector source at that size, never a smaller one stretched.
for side in 16 20 24 28 32 40 48; do
    mkdir -p "$work/menu-$side"
    for svg in "$art"/src/menu/*.svg; do
        render "$svg" "$side" "$work/menu-$side/$(basename "${svg%.svg}").png"
    done
    render "$art/src/glyph-ok.svg" "$side" "$work/menu-$side/ok.png"
    render "$art/src/glyph-cancel.svg" "$side" "$work/menu-$side/cancel.png"
done
# The small sizes come from the drawing made on the 16-pixel grid, the large ones from the
# detailed drawing: each reads best at the sizes it was drawn for.
for side in 16 20 24; do render "$art/src/program-small.svg" "$side" "$work/icon/$side.png"; done
for side in 28 32 40 48 64 256; do render "$art/src/program.svg" "$side" "$work/icon/$side.png"; done

python3 "$art/tools/write_outputs.py" "$work" "$root"
