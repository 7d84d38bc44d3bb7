// Placeholder until the rendered artwork lands: every picture fully transparent.
#include "render/PictureData.h"

namespace vantrel {

const std::uint8_t MenuPictures[MenuPictureCount][PictureBytes] = {};
const std::uint8_t OkGlyph[PictureBytes] = {};
const std::uint8_t CancelGlyph[PictureBytes] = {};
const std::uint8_t AboutPicture[AboutPictureSide * AboutPictureSide * 4] = {};

} // namespace vantrel
