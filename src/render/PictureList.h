#pragma once
// The main image list as the menu painter sees it: every fixed picture is stored as a pair,
// the colour picture at an even index and, at the next odd index, a grey picture whose
// blue byte is the colour picture's alpha. Each image is width x height pixels of 4 bytes
// (blue, green, red, reserved), rows bottom-up.

#include <cstdint>
#include <vector>

namespace vantrel {

class PictureList {
  public:
    PictureList(int pictureWidth, int pictureHeight);

    // The program's own artwork, 41 pairs of 16 x 16 pictures in menu order.
    static PictureList MenuPictureList();

    // Adds one straight-alpha picture (blue, green, red, alpha) as its colour/alpha pair.
    void AddPair(const std::uint8_t* straightAlpha);
    // Adds one raw image of the list's size; lets tests build odd lists.
    void AddImage(std::vector<std::uint8_t> pixels);

    int PictureWidth() const { return width_; }
    int PictureHeight() const { return height_; }
    int Count() const { return static_cast<int>(images_.size()); }
    // Pixels of one image; the index must be below Count().
    const std::uint8_t* Image(int index) const;

  private:
    int width_;
    int height_;
    std::vector<std::vector<std::uint8_t>> images_;
};

} // namespace vantrel
