#pragma once
// Measuring and painting of one owner-drawn menu item. The item is painted into an
// off-screen buffer of exactly its size (one copy to the screen, no flicker); the Windows
// side then only copies the buffer and draws the caption and shortcut text where and in
// the colour this code says.

#include "platform/Dpi.h"
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

// Every length of an item at the DPI of the monitor its menu shows on: the 96-DPI design
// scaled by one rule (ScaledLength), the same for measuring and for painting.
struct MenuMetrics {
    int line = 1;               // frames, separators, a step of a rounded corner
    int minimumItemHeight = 24; // also the least height with room for the check box's frame
    int captionPadding = 4;     // added to the caption's height
    int separatorHeight = 5;
    int separatorLeft = 29;
    int separatorRightGap = 3;
    int separatorBelowTop = 2; // rows between the top row and the separator's line
    int stripWidth = 26;
    int pictureLeft = 5;
    int pictureSlot = 16; // a smaller picture is centred in it
    // The check box's frame surrounds the picture's slot with these margins, its fill one
    // line inside the frame.
    int checkMarginLeft = 3;
    int checkMarginRight = 1;
    int checkMarginVertical = 2;
    int textLeft = 34;
    int textRightGap = 16;
    int widthPadding = 42;
    int shortcutGap = 40;
    int minimumPaintWidth = 26;
    int minimumPaintHeight = 5;
    // A submenu's arrow, where the painter draws it: a triangle pointing right, its tip this
    // far from the item's right edge, as many columns wide as it is high on either side of
    // the middle row.
    int arrowRight = 8;
    int arrowHalf = 3;
};

constexpr MenuMetrics MenuMetricsAt(int dpi) {
    auto at = [dpi](int length) { return ScaledLength(length, dpi); };
    return {at(1),  at(24), at(4), at(5),  at(29), at(3),  at(2),  at(26), at(5),  at(16),
            at(3),  at(1),  at(2), at(34), at(16), at(42), at(40), at(26), at(5),  at(8),
            at(3)};
}

constexpr MenuMetrics DesignMetrics = MenuMetricsAt(DesignDpi);

// Size of an item from the extents of its caption and, when it has a shortcut, of the
// shortcut's display text, both measured in the menu font at the menu's DPI.
ItemSize MeasureMenuItem(bool separator, TextExtent caption,
                         std::optional<TextExtent> shortcut = std::nullopt,
                         const MenuMetrics& metrics = DesignMetrics);

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
    // The painter draws the submenu arrow, in the caption's colour. Windows draws its own
    // after the item in the light look's colour, which does not read on the dark one.
    bool submenuArrow = false;
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
                          const MenuColours& colours, PictureColourCache* cache = nullptr,
                          const MenuMetrics& metrics = DesignMetrics);
// The same in the colours derived from the user's scheme.
PaintedItem PaintMenuItem(const MenuItemLook& item, bool selected, const ItemRect& rect,
                          const SystemColours& system, PictureColourCache* cache = nullptr);

// The pixel work alone, into a buffer of the item's size; false (buffer untouched) when the
// item is too small to draw. Lets a caller reuse one buffer.
bool PaintItemPixels(const MenuItemLook& item, bool selected, const MenuColours& colours,
                     ItemPixels& buffer, PictureColourCache* cache = nullptr,
                     const MenuMetrics& metrics = DesignMetrics);

// Items smaller than this (at 96 DPI) are not drawn at all.
constexpr int MinimumPaintWidth = 26;
constexpr int MinimumPaintHeight = 5;

} // namespace vantrel
