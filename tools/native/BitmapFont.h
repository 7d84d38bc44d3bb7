#pragma once
// A tiny 3 x 5 capital-letter font, drawn doubled, so the sample menus carry readable
// captions without a font library. Lower-case letters are shown as capitals.

#include "PngWriter.h"

#include <string>

namespace vantrel::tools {

constexpr int FontScale = 2;
constexpr int GlyphAdvance = 4 * FontScale; // 3 columns and one of space
constexpr int GlyphHeight = 5 * FontScale;

// Width of a caption as drawn, with "&" marking the underlined next letter ("&&" is "&").
int TextWidth(const std::string& text);

struct TextColour {
    std::uint8_t red, green, blue;
};

// Draws text with its top-left corner at x, y (clipped to the image).
void DrawText(RgbImage& image, int x, int y, const std::string& text, TextColour colour);

} // namespace vantrel::tools
