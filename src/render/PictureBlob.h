#pragma once
// The program's pictures at the larger sizes display scalings need, as art/render.sh packs
// them (art/rendered/pictures.bin, carried in the exe as a resource). The 16-pixel pictures
// are compiled in (PictureData.h), so the menus draw at 100% without this.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace vantrel {

enum class PictureSetKind : std::uint32_t {
    Menu = 0, // the menu pictures in image-list order, then the OK and Cancel glyphs
};

// Pictures of one set and side, each side * side straight-alpha pixels (blue, green, red,
// alpha), rows bottom-up, one after the other.
struct PictureSet {
    int side = 0;
    int count = 0;
    std::vector<std::uint8_t> pixels;
    const std::uint8_t* Picture(int index) const {
        const auto bytes = static_cast<std::size_t>(side) * static_cast<std::size_t>(side) * 4;
        return pixels.data() + static_cast<std::size_t>(index) * bytes;
    }
};

class PictureBlob {
  public:
    // Reads the table; empty when the bytes are not a blob this program reads. The bytes
    // must outlive the blob.
    static std::optional<PictureBlob> Open(const std::uint8_t* data, std::size_t size);

    // The sides the set is drawn at, smallest first.
    std::vector<int> Sides(PictureSetKind kind) const;
    // The set at that side, unpacked; empty when there is none or its bytes are damaged.
    std::optional<PictureSet> Unpack(PictureSetKind kind, int side) const;

  private:
    struct Entry {
        std::uint32_t kind, side, count, offset, size;
    };
    PictureBlob(const std::uint8_t* data, std::vector<Entry> entries)
        : data_(data), entries_(std::move(entries)) {}

    const std::uint8_t* data_;
    std::vector<Entry> entries_;
};

// The side to draw in a place of `slot` pixels: the largest drawn side that fits, centred
// there, or the smallest when none fits. Never a stretched picture.
int ChosenSide(int slot, const std::vector<int>& sides);

// A straight-alpha picture resampled to target x target by area: every target pixel is the
// coverage-weighted mean of the source pixels under it, weighted by alpha so that colour
// does not bleed in from transparent pixels.
std::vector<std::uint8_t> Resampled(const std::uint8_t* pixels, int side, int target);

} // namespace vantrel
