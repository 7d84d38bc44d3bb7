#pragma once
// The program's own artwork, rendered from the vector sources under art/ by art/render.sh.
// Every picture is straight-alpha pixels, bytes blue, green, red, alpha, rows bottom-up.

#include <cstdint>

namespace vantrel {

constexpr int PictureSide = 16;
constexpr int PictureBytes = PictureSide * PictureSide * 4;
constexpr int MenuPictureCount = 41;

// The menu pictures in image-list order: MenuPictures[i] is shown for even index 2 * i.
extern const std::uint8_t MenuPictures[MenuPictureCount][PictureBytes];

// The glyphs of the OK and Cancel buttons of the dialogs (16 x 16).
extern const std::uint8_t OkGlyph[PictureBytes];
extern const std::uint8_t CancelGlyph[PictureBytes];

} // namespace vantrel
