#pragma once
// The program's own pictures at the sizes a scaling needs: the 16-pixel ones compiled in, the
// others unpacked from the exe's resource the first time a size is needed, then kept.

#include "editors/DialogModel.h"
#include "render/PictureList.h"

#include <cstdint>
#include <vector>

namespace vantrel::win32 {

// The menu pictures at the side chosen for a slot of that many pixels (ChosenSide).
const PictureList& MenuPicturesFor(int slot);
// A glyph at the side chosen for the slot; null for Glyph::None. `side` receives its side.
const std::uint8_t* GlyphFor(Glyph glyph, int slot, int& side);
// The About picture at exactly side x side pixels, scaled from the program icon's 256-pixel
// render; empty when the exe carries none (a test).
std::vector<std::uint8_t> AboutPictureAt(int side);

} // namespace vantrel::win32
