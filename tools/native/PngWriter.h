#pragma once
// A minimal PNG writer for 8-bit RGB pictures: uncompressed deflate blocks, so it needs no
// library. Good for sample pictures, not for size.

#include <cstdint>
#include <string>
#include <vector>

namespace vantrel::tools {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb; // rows top-down, 3 bytes per pixel

    RgbImage(int w, int h) : width(w), height(h), rgb(static_cast<std::size_t>(w * h) * 3, 0) {}
    std::uint8_t* At(int x, int y) { return &rgb[(static_cast<std::size_t>(y) * width + x) * 3]; }
};

// The whole PNG file.
std::vector<std::uint8_t> EncodePng(const RgbImage& image);
bool WritePng(const RgbImage& image, const std::string& path);

} // namespace vantrel::tools
