#pragma once
// The off-screen picture of one menu item: width x height pixels of 4 bytes (blue, green,
// red, reserved = 0), rows bottom-up, i.e. exactly what a 32-bit device-independent bitmap
// with a positive height expects, so the Windows side copies it to the screen unchanged.

#include "render/ColourModel.h"

#include <cstdint>
#include <vector>

namespace vantrel {

class ItemPixels {
  public:
    ItemPixels() = default;
    // A buffer of the given size, every byte zero; negative sizes make an empty buffer.
    ItemPixels(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return bytes_.empty(); }
    // width x height x 4 bytes, bottom row first.
    const std::uint8_t* Bytes() const { return bytes_.data(); }
    std::size_t ByteCount() const { return bytes_.size(); }

    // Row 0 is the bottom line. Positions outside the buffer are ignored / read as black.
    bool Contains(int column, int row) const {
        return column >= 0 && column < width_ && row >= 0 && row < height_;
    }
    Rgb At(int column, int row) const {
        if (!Contains(column, row))
            return {};
        const std::uint8_t* pixel = &bytes_[Offset(column, row)];
        return {pixel[2], pixel[1], pixel[0]};
    }
    void Set(int column, int row, Rgb colour) {
        if (!Contains(column, row))
            return;
        std::uint8_t* pixel = &bytes_[Offset(column, row)];
        pixel[0] = colour.blue;
        pixel[1] = colour.green;
        pixel[2] = colour.red;
        pixel[3] = 0;
    }
    // Columns first..last inclusive of one row, clipped to the buffer.
    void FillRow(int row, int firstColumn, int lastColumn, Rgb colour);
    // Rows first..last inclusive, every column, clipped to the buffer.
    void FillRows(int firstRow, int lastRow, Rgb colour);
    // Makes rows first..last inclusive copies of row source (clipped).
    void CopyRow(int source, int firstRow, int lastRow);

  private:
    std::size_t Offset(int column, int row) const {
        return (static_cast<std::size_t>(row) * static_cast<std::size_t>(width_) +
                static_cast<std::size_t>(column)) *
               4;
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> bytes_;
};

} // namespace vantrel
