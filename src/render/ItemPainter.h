#pragma once
// Measuring and painting of one owner-drawn menu item. The item is painted into an
// off-screen buffer of exactly its size (one copy to the screen, no flicker); the Windows
// side then only copies the buffer and draws the caption and shortcut text where and in
// the colour this code says.

#include "render/ColourModel.h"
#include "render/ItemPixels.h"
#include "render/PictureColours.h"
#include "render/PictureList.h"
#include "tree/LinkEntry.h"

#include <optional>

namespace vantrel {

struct TextExtent {
    int width = 0;
    int height = 0;
};

struct ItemSize {
    int width = 0;
    int height = 0;
};

// Size of an item from the extents of its caption and, when it has a shortcut, of the
// shortcut's display text, both measured in the menu font.
ItemSize MeasureMenuItem(bool separator, TextExtent caption,
                         std::optional<TextExtent> shortcut = std::nullopt);

// A rectangle on the menu's device context, right and bottom exclusive.
struct ItemRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const ItemRect& a, const ItemRect& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
};

// What of a menu item the painter looks at.
struct MenuItemLook {
    bool separator = false;
    bool enabled = true;
    bool checked = false;
    int imageIndex = -1;                     // even index into pictures; -1: the entry's own pixels
    const IconPixels* entryPixels = nullptr; // the attached record's pixels; null: no record
    const PictureList* pictures = nullptr;   // null: the item shows no list picture
};

struct SystemColours {
    Rgb buttonFace;
    Rgb highlight;
    Rgb windowText;
};

struct TextPlacement {
    ItemRect rect; // caption left-aligned, shortcut right-aligned, both vertically centred
    Rgb colour;
};

struct PaintedItem {
    ItemPixels pixels;                 // empty: draw nothing at all
    std::optional<TextPlacement> text; // empty for separators and undrawn items
};

// Everything one draw request needs; selected is the draw request's selected flag. A cache
// kept by the caller across paints saves recomputing picture colours; null: none kept.
PaintedItem PaintMenuItem(const MenuItemLook& item, bool selected, const ItemRect& rect,
                          const MenuColours& colours, PictureColourCache* cache = nullptr);
// The same in the colours derived from the user's scheme.
PaintedItem PaintMenuItem(const MenuItemLook& item, bool selected, const ItemRect& rect,
                          const SystemColours& system, PictureColourCache* cache = nullptr);

// The pixel work alone, into a buffer of the item's size; false (buffer untouched) when the
// item is too small to draw. Lets a caller reuse one buffer.
bool PaintItemPixels(const MenuItemLook& item, bool selected, const MenuColours& colours,
                     ItemPixels& buffer, PictureColourCache* cache = nullptr);

// Items smaller than this are not drawn at all.
constexpr int MinimumPaintWidth = 26;
constexpr int MinimumPaintHeight = 5;

} // namespace vantrel
