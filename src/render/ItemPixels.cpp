#include "render/ItemPixels.h"

#include <algorithm>
#include <cstring>

namespace vantrel {

ItemPixels::ItemPixels(int width, int height) {
    if (width <= 0 || height <= 0)
        return;
    width_ = width;
    height_ = height;
    bytes_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4, 0);
}

void ItemPixels::FillRow(int row, int firstColumn, int lastColumn, Rgb colour) {
    if (row < 0 || row >= height_)
        return;
    const int first = std::max(firstColumn, 0);
    const int last = std::min(lastColumn, width_ - 1);
    const std::uint8_t pattern[4] = {colour.blue, colour.green, colour.red, 0};
    std::uint8_t* pixel = bytes_.data() + Offset(0, row);
    for (int column = first; column <= last; ++column)
        std::memcpy(pixel + static_cast<std::size_t>(column) * 4, pattern, 4);
}

void ItemPixels::FillRows(int firstRow, int lastRow, Rgb colour) {
    const int first = std::max(firstRow, 0);
    const int last = std::min(lastRow, height_ - 1);
    if (first > last)
        return;
    FillRow(first, 0, width_ - 1, colour);
    CopyRow(first, first + 1, last);
}

void ItemPixels::CopyRow(int source, int firstRow, int lastRow) {
    if (source < 0 || source >= height_)
        return;
    const std::size_t rowBytes = static_cast<std::size_t>(width_) * 4;
    const std::uint8_t* from = bytes_.data() + Offset(0, source);
    for (int row = std::max(firstRow, 0); row <= std::min(lastRow, height_ - 1); ++row)
        if (row != source)
            std::memcpy(bytes_.data() + Offset(0, row), from, rowBytes);
}

} // namespace vantrel
