#pragma once
// How a picture pixel's colour looks in an item: darkened on a dark button face, grey when
// the item is disabled, lighter when it is highlighted.

#include "render/ColourModel.h"

#include <cstdint>
#include <vector>

namespace vantrel {

struct PictureLook {
    int lightnessPercent = 100; // from the button face
    bool grey = false;          // the item is disabled
    bool highlighted = false;   // the item is selected and enabled

    std::uint64_t Key() const {
        return static_cast<std::uint64_t>(lightnessPercent & 0xFF) |
               static_cast<std::uint64_t>(grey) << 8 | static_cast<std::uint64_t>(highlighted) << 9;
    }
};

Rgb PictureColour(Rgb colour, const PictureLook& look);

// Remembers results of PictureColour: each costs two trips through the HLS model, and a
// menu repaints the same pictures in the same few looks whenever the selection moves. The
// result depends on nothing but the colour and the look, so a cache can never go stale and
// one may serve every paint of the program (only the user-interface thread paints).
class PictureColourCache {
  public:
    // Remembers up to 2^slotBits colours; a clash only costs a recomputation.
    explicit PictureColourCache(int slotBits = 12);

    Rgb Colour(Rgb colour, const PictureLook& look);

  private:
    struct Slot {
        std::uint64_t key = ~std::uint64_t{0}; // matches no colour
        Rgb colour;
    };
    int shift_;
    std::vector<Slot> slots_;
};

} // namespace vantrel
