#include "BitmapFont.h"

#include <cctype>
#include <cstring>

namespace vantrel::tools {

namespace {

struct Glyph {
    char character;
    const char* rows[5];
};

// '#' marks a lit pixel.
const Glyph Glyphs[] = {
    {'A', {" # ", "# #", "###", "# #", "# #"}}, {'B', {"## ", "# #", "## ", "# #", "## "}},
    {'C', {" ##", "#  ", "#  ", "#  ", " ##"}}, {'D', {"## ", "# #", "# #", "# #", "## "}},
    {'E', {"###", "#  ", "## ", "#  ", "###"}}, {'F', {"###", "#  ", "## ", "#  ", "#  "}},
    {'G', {" ##", "#  ", "# #", "# #", " ##"}}, {'H', {"# #", "# #", "###", "# #", "# #"}},
    {'I', {"###", " # ", " # ", " # ", "###"}}, {'J', {"  #", "  #", "  #", "# #", " # "}},
    {'K', {"# #", "## ", "#  ", "## ", "# #"}}, {'L', {"#  ", "#  ", "#  ", "#  ", "###"}},
    {'M', {"# #", "###", "###", "# #", "# #"}}, {'N', {"## ", "# #", "# #", "# #", "# #"}},
    {'O', {" # ", "# #", "# #", "# #", " # "}}, {'P', {"## ", "# #", "## ", "#  ", "#  "}},
    {'Q', {" # ", "# #", "# #", "## ", " ##"}}, {'R', {"## ", "# #", "## ", "# #", "# #"}},
    {'S', {" ##", "#  ", " # ", "  #", "## "}}, {'T', {"###", " # ", " # ", " # ", " # "}},
    {'U', {"# #", "# #", "# #", "# #", "###"}}, {'V', {"# #", "# #", "# #", "# #", " # "}},
    {'W', {"# #", "# #", "###", "###", "# #"}}, {'X', {"# #", "# #", " # ", "# #", "# #"}},
    {'Y', {"# #", "# #", " # ", " # ", " # "}}, {'Z', {"###", "  #", " # ", "#  ", "###"}},
    {'0', {"###", "# #", "# #", "# #", "###"}}, {'1', {" # ", "## ", " # ", " # ", "###"}},
    {'2', {"## ", "  #", " # ", "#  ", "###"}}, {'3', {"## ", "  #", " # ", "  #", "## "}},
    {'4', {"# #", "# #", "###", "  #", "  #"}}, {'5', {"###", "#  ", "## ", "  #", "## "}},
    {'6', {" ##", "#  ", "###", "# #", "###"}}, {'7', {"###", "  #", " # ", " # ", " # "}},
    {'8', {"###", "# #", "###", "# #", "###"}}, {'9', {"###", "# #", "###", "  #", "## "}},
    {'.', {"   ", "   ", "   ", "   ", " # "}}, {',', {"   ", "   ", "   ", " # ", "#  "}},
    {'-', {"   ", "   ", "###", "   ", "   "}}, {'+', {"   ", " # ", "###", " # ", "   "}},
    {'/', {"  #", "  #", " # ", "#  ", "#  "}}, {':', {"   ", " # ", "   ", " # ", "   "}},
    {'(', {" # ", "#  ", "#  ", "#  ", " # "}}, {')', {" # ", "  #", "  #", "  #", " # "}},
    {'&', {" # ", "# #", " # ", "# #", " ##"}}, {'!', {" # ", " # ", " # ", "   ", " # "}},
    {'?', {"## ", "  #", " # ", "   ", " # "}}, {'\'', {" # ", " # ", "   ", "   ", "   "}},
    {'=', {"   ", "###", "   ", "###", "   "}}, {'x', {"   ", "# #", " # ", "# #", "   "}},
};

const Glyph* Find(char character) {
    if (character != 'x')
        character = static_cast<char>(std::toupper(static_cast<unsigned char>(character)));
    for (const Glyph& glyph : Glyphs)
        if (glyph.character == character)
            return &glyph;
    return nullptr; // space and anything unknown: blank
}

void Plot(RgbImage& image, int x, int y, TextColour colour) {
    if (x < 0 || y < 0 || x >= image.width || y >= image.height)
        return;
    std::uint8_t* pixel = image.At(x, y);
    pixel[0] = colour.red;
    pixel[1] = colour.green;
    pixel[2] = colour.blue;
}

void DrawGlyph(RgbImage& image, int x, int y, const Glyph& glyph, TextColour colour) {
    for (int row = 0; row < 5; ++row)
        for (int column = 0; column < 3; ++column)
            if (glyph.rows[row][column] == '#')
                for (int dy = 0; dy < FontScale; ++dy)
                    for (int dx = 0; dx < FontScale; ++dx)
                        Plot(image, x + column * FontScale + dx, y + row * FontScale + dy, colour);
}

// Visits every shown character with its underline flag, resolving "&" marks.
template <typename Visit> void ForEachShown(const std::string& text, Visit visit) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            ++i;
            visit(text[i], text[i] != '&');
        } else {
            visit(text[i], false);
        }
    }
}

} // namespace

int TextWidth(const std::string& text) {
    int count = 0;
    ForEachShown(text, [&count](char, bool) { ++count; });
    return count == 0 ? 0 : count * GlyphAdvance - FontScale;
}

void DrawText(RgbImage& image, int x, int y, const std::string& text, TextColour colour) {
    ForEachShown(text, [&](char character, bool underline) {
        if (const Glyph* glyph = Find(character))
            DrawGlyph(image, x, y, *glyph, colour);
        if (underline)
            for (int dx = 0; dx < 3 * FontScale; ++dx)
                Plot(image, x + dx, y + GlyphHeight + 1, colour);
        x += GlyphAdvance;
    });
}

} // namespace vantrel::tools
