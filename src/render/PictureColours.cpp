#include "render/PictureColours.h"

#include <algorithm>
#include <utility>

namespace vantrel {

namespace {
constexpr int HighlightedPercent = 110;
}

Rgb PictureColour(Rgb colour, const PictureLook& look) {
    colour = AdjustLightness(colour, look.lightnessPercent);
    if (look.grey) {
        const std::uint8_t grey = GreyOf(colour);
        colour = {grey, grey, grey};
    }
    if (look.highlighted)
        colour = AdjustLightness(colour, HighlightedPercent);
    return colour;
}

PictureColourCache::PictureColourCache(int slotBits)
    : shift_(64 - std::clamp(slotBits, 2, 20)), slots_(std::size_t{1} << (64 - shift_)) {}

Rgb PictureColourCache::Colour(Rgb colour, const PictureLook& look) {
    const std::uint64_t key = static_cast<std::uint64_t>(ToColorRef(colour)) | look.Key() << 24;
    // Two slots per set, the most recent first, so two colours that hash alike in one
    // picture do not keep evicting each other.
    const auto set =
        static_cast<std::size_t>((key * 0x9E3779B97F4A7C15u) >> shift_) & ~std::size_t{1};
    Slot* slots = &slots_[set];
    if (slots[0].key == key)
        return slots[0].colour;
    if (slots[1].key == key) {
        std::swap(slots[0], slots[1]);
        return slots[0].colour;
    }
    slots[1] = slots[0];
    slots[0] = {key, PictureColour(colour, look)};
    return slots[0].colour;
}

} // namespace vantrel
