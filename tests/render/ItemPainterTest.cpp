#include "render/ItemPainter.h"

#include "render/ColourPrinting.h"
#include "render/MenuTheme.h"

#include "render/PictureBlob.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace vantrel {
namespace {

const SystemColours Classic{{240, 240, 240}, {51, 153, 255}, {1, 2, 3}};
const SystemColours Dark{{42, 42, 42}, {51, 153, 255}, {250, 240, 230}};
const MenuColours ClassicColours = DeriveMenuColours(Classic.buttonFace, Classic.highlight);

// A colour with three different channels, so a swapped byte order shows.
const Rgb Tomato{200, 20, 10};

ItemPixels Paint(const MenuItemLook& item, int width, int height, bool selected = false,
                 const SystemColours& system = Classic) {
    return PaintMenuItem(item, selected, {0, 0, width, height}, system).pixels;
}

IconPixels SolidIcon(Rgb colour, std::uint8_t alpha, int side = IconSide) {
    IconPixels pixels(side);
    for (std::size_t i = 0; i < pixels.size(); i += 4) {
        pixels[i] = colour.blue;
        pixels[i + 1] = colour.green;
        pixels[i + 2] = colour.red;
        pixels[i + 3] = alpha;
    }
    return pixels;
}

std::vector<std::uint8_t> SolidImage(int side, Rgb colour) {
    std::vector<std::uint8_t> image(static_cast<std::size_t>(side * side) * 4, 0);
    for (std::size_t i = 0; i < image.size(); i += 4) {
        image[i] = colour.blue;
        image[i + 1] = colour.green;
        image[i + 2] = colour.red;
    }
    return image;
}

// Pixels of the rectangle columns left..right, rows bottom..top (inclusive) that differ.
int CountDifferences(const ItemPixels& a, const ItemPixels& b, int left, int right, int bottom,
                     int top) {
    int differences = 0;
    for (int row = bottom; row <= top; ++row)
        for (int column = left; column <= right; ++column)
            differences += a.At(column, row) != b.At(column, row);
    return differences;
}

int CountDifferences(const ItemPixels& a, const ItemPixels& b) {
    return CountDifferences(a, b, 0, a.Width() - 1, 0, a.Height() - 1);
}

Rgb Soften(Rgb frame, Rgb present) {
    auto mix = [](int f, int p) { return static_cast<std::uint8_t>((f * 64 + p * 192) / 256); };
    return {mix(frame.red, present.red), mix(frame.green, present.green),
            mix(frame.blue, present.blue)};
}

TEST(MeasureMenuItemTest, SizesFollowTheTextExtents) {
    struct Case {
        bool separator;
        TextExtent caption;
        std::optional<TextExtent> shortcut;
        int width;
        int height;
    };
    const Case cases[] = {
        {false, {50, 16}, std::nullopt, 92, 24}, // short caption: at least 24 high
        {false, {50, 20}, std::nullopt, 92, 24},
        {false, {50, 21}, std::nullopt, 92, 25}, // larger menu font: text height + 4
        {false, {50, 16}, TextExtent{30, 16}, 162, 24},
        {false, {0, 0}, std::nullopt, 42, 24},
        {true, {6, 30}, std::nullopt, 48, 5}, // separator: 5 whatever the font
    };
    for (const Case& c : cases) {
        const ItemSize size = MeasureMenuItem(c.separator, c.caption, c.shortcut);
        EXPECT_EQ(size.width, c.width) << c.caption.width << "x" << c.caption.height;
        EXPECT_EQ(size.height, c.height) << c.caption.width << "x" << c.caption.height;
    }
}

TEST(PaintMenuItemTest, NothingIsDrawnBelow26By5) {
    struct Case {
        ItemRect rect;
        bool drawn;
    };
    const Case cases[] = {
        {{0, 0, 25, 24}, false}, {{0, 0, 26, 4}, false}, {{10, 10, 0, 0}, false},
        {{0, 0, 0, 0}, false},   {{5, 7, 31, 12}, true}, {{0, 0, 300, 24}, true},
    };
    MenuItemLook item;
    item.checked = true;
    const IconPixels icon = SolidIcon(Tomato, 255);
    item.entryPixels = &icon;
    for (const Case& c : cases) {
        const PaintedItem painted = PaintMenuItem(item, true, c.rect, Classic);
        EXPECT_EQ(!painted.pixels.Empty(), c.drawn) << c.rect.Width() << "x" << c.rect.Height();
        EXPECT_EQ(painted.text.has_value(), c.drawn);
        if (c.drawn) {
            EXPECT_EQ(painted.pixels.Width(), c.rect.Width());
            EXPECT_EQ(painted.pixels.Height(), c.rect.Height());
        }
    }
}

TEST(PaintMenuItemTest, BackgroundAndStripInBlueGreenRedOrder) {
    const ItemPixels pixels = Paint({}, 300, 24, false, {{200, 100, 51}, {51, 153, 255}, {}});
    const MenuColours c = DeriveMenuColours({200, 100, 51}, {51, 153, 255});
    const std::uint8_t* bytes = pixels.Bytes();
    EXPECT_EQ(bytes[0], c.stripLeftColor.blue);
    EXPECT_EQ(bytes[1], c.stripLeftColor.green);
    EXPECT_EQ(bytes[2], c.stripLeftColor.red);
    const std::size_t background = 100 * 4;
    EXPECT_EQ(bytes[background], c.menuBackgroundColor.blue);
    EXPECT_EQ(bytes[background + 2], c.menuBackgroundColor.red);
    for (std::size_t i = 3; i < pixels.ByteCount(); i += 4)
        ASSERT_EQ(bytes[i], 0) << "reserved byte at " << i;
}

TEST(PaintMenuItemTest, StripRunsFromLeftToRightColourOverEveryRow) {
    const ItemPixels pixels = Paint({}, 120, 24);
    for (int row = 0; row < 24; ++row) {
        EXPECT_EQ(pixels.At(0, row), (Rgb{255, 255, 255}));
        EXPECT_EQ(pixels.At(25, row), (Rgb{227, 227, 227}));
        EXPECT_EQ(pixels.At(26, row), (Rgb{249, 249, 249}));
        EXPECT_EQ(pixels.At(119, row), (Rgb{249, 249, 249}));
        for (int column = 1; column <= 25; ++column)
            ASSERT_LE(pixels.At(column, row).red, pixels.At(column - 1, row).red);
    }
    EXPECT_EQ(pixels.At(12, 5), (Rgb{241, 241, 241})); // 255 - 12 x 1.12, truncated
}

TEST(PaintMenuItemTest, SeparatorLineSitsInTheMiddleRowFromColumn29) {
    MenuItemLook separator;
    separator.separator = true;
    for (const int width : {100, 33, 32, 26}) {
        const PaintedItem painted = PaintMenuItem(separator, true, {0, 0, width, 5}, Classic);
        EXPECT_FALSE(painted.text.has_value());
        const ItemPixels plain = Paint({}, width, 5);
        for (int column = 29; column <= width - 4; ++column)
            EXPECT_EQ(painted.pixels.At(column, 2), (Rgb{125, 125, 125})) << column;
        // Nothing else changes: no selection on a separator.
        const int lineLength = std::max(0, width - 4 - 29 + 1);
        EXPECT_EQ(CountDifferences(painted.pixels, plain), lineLength) << width;
    }
    // In a taller separator the line stays in row h - 3 counted from the bottom.
    const ItemPixels tall = Paint(separator, 100, 9);
    EXPECT_EQ(tall.At(29, 6), (Rgb{125, 125, 125}));
    EXPECT_EQ(tall.At(28, 6), ClassicColours.menuBackgroundColor);
    EXPECT_EQ(tall.At(96, 6), (Rgb{125, 125, 125}));
    EXPECT_EQ(tall.At(97, 6), ClassicColours.menuBackgroundColor);
}

TEST(PaintMenuItemTest, SelectionGradientEndpoints) {
    // h = 24: 22 rows, lower 11 from mid towards dark, upper 11 from mid towards light.
    const ItemPixels pixels = Paint({}, 300, 24, true);
    const Rgb mid{153, 204, 255};
    EXPECT_EQ(pixels.At(100, 1), mid);
    EXPECT_EQ(pixels.At(100, 11), (Rgb{114, 184, 255}));
    EXPECT_EQ(pixels.At(100, 12), mid);
    EXPECT_EQ(pixels.At(100, 22), (Rgb{192, 224, 255}));
    // Every column of a row, strip included, carries the same colour.
    for (const int column : {1, 2, 25, 26, 298})
        EXPECT_EQ(pixels.At(column, 5), pixels.At(100, 5)) << column;
}

TEST(PaintMenuItemTest, SelectionFrameWithSoftenedCorners) {
    for (const int height : {24, 5, 31}) {
        const int w = 300, h = height;
        const ItemPixels plain = Paint({}, w, h);
        const ItemPixels selected = Paint({}, w, h, true);
        const Rgb frame = ClassicColours.frameColor;
        for (const int column : {1, 150, w - 2}) {
            EXPECT_EQ(selected.At(column, 0), frame);
            EXPECT_EQ(selected.At(column, h - 1), frame);
        }
        for (int row = 2; row <= h - 3; ++row) {
            EXPECT_EQ(selected.At(0, row), frame);
            EXPECT_EQ(selected.At(w - 1, row), frame);
        }
        // True corners: a quarter of frame over the background; inner diagonal: over the fill.
        EXPECT_EQ(selected.At(0, 0), Soften(frame, plain.At(0, 0)));
        EXPECT_EQ(selected.At(w - 1, 0), Soften(frame, plain.At(w - 1, 0)));
        EXPECT_EQ(selected.At(0, h - 1), Soften(frame, plain.At(0, h - 1)));
        EXPECT_EQ(selected.At(w - 1, h - 1), Soften(frame, plain.At(w - 1, h - 1)));
        EXPECT_EQ(selected.At(1, 1), Soften(frame, selected.At(100, 1)));
        EXPECT_EQ(selected.At(w - 2, 1), Soften(frame, selected.At(100, 1)));
        EXPECT_EQ(selected.At(1, h - 2), Soften(frame, selected.At(100, h - 2)));
        EXPECT_EQ(selected.At(w - 2, h - 2), Soften(frame, selected.At(100, h - 2)));
        // Next to the softened pixels the frame and the fill are plain.
        if (h > 5) {
            EXPECT_EQ(selected.At(0, 1), frame);
            EXPECT_EQ(selected.At(2, 1), selected.At(100, 1));
        }
    }
    const ItemPixels pinned = Paint({}, 300, 24, true);
    EXPECT_EQ(pinned.At(0, 0), (Rgb{221, 221, 221}));
    EXPECT_EQ(pinned.At(299, 23), (Rgb{216, 216, 216}));
    EXPECT_EQ(pinned.At(1, 1), (Rgb{144, 183, 221}));
}

TEST(PaintMenuItemTest, DisabledItemIsNeverHighlighted) {
    MenuItemLook item;
    item.enabled = false;
    const IconPixels icon = SolidIcon(Tomato, 255);
    item.entryPixels = &icon;
    EXPECT_EQ(CountDifferences(Paint(item, 200, 24, true), Paint(item, 200, 24, false)), 0);
    const PaintedItem painted = PaintMenuItem(item, true, {0, 0, 200, 24}, Classic);
    ASSERT_TRUE(painted.text);
    EXPECT_EQ(painted.text->colour, ClassicColours.disabledTextColor);
}

TEST(PaintMenuItemTest, TextRectangleAndColour) {
    MenuItemLook item;
    const ItemRect rect{10, 100, 310, 124};
    for (const bool selected : {false, true}) {
        const PaintedItem painted = PaintMenuItem(item, selected, rect, Classic);
        ASSERT_TRUE(painted.text);
        EXPECT_EQ(painted.text->rect, (ItemRect{44, 100, 294, 124}));
        // The highlight does not change the text colour.
        EXPECT_EQ(painted.text->colour, Classic.windowText);
    }
}

TEST(PaintMenuItemTest, HighContrastItemsAreFlatWithTheThemeCaptions) {
    const HighContrastColours system{
        {0, 0, 0}, {255, 255, 255}, {26, 235, 255}, {0, 0, 1}, {63, 242, 63}};
    const MenuColours colours = HighContrastMenuColours(system);
    MenuItemLook item;
    item.checked = true;
    const ItemRect rect{0, 0, 200, 24};
    const PaintedItem plain = PaintMenuItem(item, false, rect, colours);
    const PaintedItem selected = PaintMenuItem(item, true, rect, colours);
    for (const int column : {0, 25, 26, 199})
        EXPECT_EQ(plain.pixels.At(column, 1), system.menu) << column;
    for (const int row : {1, 11, 12, 22})
        EXPECT_EQ(selected.pixels.At(100, row), system.highlight) << row;
    EXPECT_EQ(selected.pixels.At(100, 0), system.menuText); // the frame
    EXPECT_EQ(plain.pixels.At(2, 12), system.menuText);     // the check box's frame
    EXPECT_EQ(plain.pixels.At(10, 12), system.menu);        // and its fill
    ASSERT_TRUE(plain.text && selected.text);
    EXPECT_EQ(plain.text->colour, system.menuText);
    EXPECT_EQ(selected.text->colour, system.highlightText);
    item.enabled = false;
    EXPECT_EQ(PaintMenuItem(item, true, rect, colours).text->colour, system.grayText);
    MenuItemLook separator;
    separator.separator = true;
    EXPECT_EQ(PaintMenuItem(separator, false, {0, 0, 200, 5}, colours).pixels.At(100, 2),
              system.menuText);
}

struct CheckCase {
    int height;
    int fillBottom; // first row of the 18-row fill, counted from the bottom
    bool frame;
};

TEST(PaintMenuItemTest, CheckBoxFillAlwaysFrameFromHeight24) {
    const CheckCase cases[] = {{24, 3, true}, {23, 2, false}, {20, 1, false},
                               {30, 6, true}, {41, 11, true}, {25, 3, true}};
    MenuItemLook checked;
    checked.checked = true;
    const Rgb frame = ClassicColours.frameColor;
    const Rgb mid{142, 199, 255};
    for (const CheckCase& c : cases) {
        const ItemPixels plain = Paint({}, 200, c.height);
        const ItemPixels pixels = Paint(checked, 200, c.height);
        // The fill starts at mid at its bottom row and again at mid in its tenth row.
        EXPECT_EQ(pixels.At(10, c.fillBottom), mid) << c.height;
        EXPECT_EQ(pixels.At(10, c.fillBottom + 9), mid) << c.height;
        EXPECT_EQ(pixels.At(10, c.fillBottom + 8), (Rgb{94, 175, 255})) << c.height;
        EXPECT_EQ(pixels.At(10, c.fillBottom + 17), (Rgb{190, 223, 255})) << c.height;
        const int m = c.height / 2 - 10;
        if (c.frame) {
            EXPECT_EQ(pixels.At(3, m), frame) << c.height;
            EXPECT_EQ(pixels.At(20, m + 19), frame) << c.height;
            EXPECT_EQ(pixels.At(2, m + 1), frame) << c.height;
            EXPECT_EQ(pixels.At(21, m + 18), frame) << c.height;
            EXPECT_EQ(pixels.At(2, m), Soften(frame, plain.At(2, m))) << c.height;
            EXPECT_EQ(pixels.At(21, m + 19), Soften(frame, plain.At(21, m + 19)));
            EXPECT_EQ(pixels.At(3, m + 1), Soften(frame, pixels.At(10, m + 1)));
            EXPECT_EQ(pixels.At(20, m + 18), Soften(frame, pixels.At(10, m + 18)));
        } else {
            // Without a frame the check box changes only its own 18 x 18 square.
            EXPECT_EQ(CountDifferences(pixels, plain, 0, 2, 0, c.height - 1), 0);
            EXPECT_EQ(CountDifferences(pixels, plain, 21, 199, 0, c.height - 1), 0);
        }
        EXPECT_EQ(pixels.At(1, c.fillBottom + 5), plain.At(1, c.fillBottom + 5));
    }
}

TEST(PaintMenuItemTest, LowCheckedItemsAreClippedToTheItem) {
    MenuItemLook item;
    item.checked = true;
    const IconPixels icon = SolidIcon(Tomato, 255);
    item.entryPixels = &icon;
    for (int height = 5; height < 24; ++height) {
        const ItemPixels pixels = Paint(item, 40, height, true);
        EXPECT_EQ(pixels.Height(), height);
    }
}

struct PictureCase {
    int height;
    int bottom; // lowest picture row, counted from the bottom
};

TEST(PaintMenuItemTest, PicturePositionAndOpaqueCopy) {
    const PictureCase cases[] = {{24, 4}, {25, 4}, {30, 7}, {16, 0}, {10, 0}, {5, 0}};
    const IconPixels icon = SolidIcon(Tomato, 255);
    MenuItemLook item;
    item.entryPixels = &icon;
    for (const PictureCase& c : cases) {
        const ItemPixels plain = Paint({}, 60, c.height);
        const ItemPixels pixels = Paint(item, 60, c.height);
        const int top = std::min(c.bottom + 15, c.height - 1);
        for (int row = c.bottom; row <= top; ++row)
            for (int column = 5; column <= 20; ++column)
                ASSERT_EQ(pixels.At(column, row), Tomato)
                    << c.height << " " << column << "," << row;
        const int covered = (top - c.bottom + 1) * 16;
        EXPECT_EQ(CountDifferences(pixels, plain), covered) << c.height;
    }
}

TEST(PaintMenuItemTest, PictureRowsStayBottomUp) {
    IconPixels icon = SolidIcon(Tomato, 255);
    // Paint the picture's first stored row (its bottom row) blue-ish, and its first column.
    for (std::size_t i = 0; i < 64; i += 4) {
        icon[i] = 250;
        icon[i + 1] = 5;
        icon[i + 2] = 6;
    }
    MenuItemLook item;
    item.entryPixels = &icon;
    const ItemPixels pixels = Paint(item, 60, 24);
    EXPECT_EQ(pixels.At(5, 4), (Rgb{6, 5, 250}));
    EXPECT_EQ(pixels.At(20, 4), (Rgb{6, 5, 250}));
    EXPECT_EQ(pixels.At(5, 5), Tomato);
}

Rgb ExpectedBlend(Rgb destination, Rgb source, int alpha) {
    auto channel = [alpha](int d, int s) {
        return static_cast<std::uint8_t>(d + (s - d) * alpha / 255);
    };
    return {channel(destination.red, source.red), channel(destination.green, source.green),
            channel(destination.blue, source.blue)};
}

TEST(PaintMenuItemTest, AlphaBlendingEdges) {
    const ItemPixels plain = Paint({}, 60, 40);
    for (const int alpha : {0, 1, 128, 254, 255}) {
        const IconPixels icon = SolidIcon(Tomato, static_cast<std::uint8_t>(alpha));
        MenuItemLook item;
        item.entryPixels = &icon;
        const ItemPixels pixels = Paint(item, 60, 40);
        for (const int column : {5, 12, 20})
            EXPECT_EQ(pixels.At(column, 20), ExpectedBlend(plain.At(column, 20), Tomato, alpha))
                << alpha << " " << column;
    }
    // Over the strip's 241: blue 241 + (10 - 241) x 128 / 255 truncates toward zero to 126
    // (flooring would give 125).
    const IconPixels half = SolidIcon(Tomato, 128);
    MenuItemLook item;
    item.entryPixels = &half;
    ASSERT_EQ(plain.At(12, 20), (Rgb{241, 241, 241}));
    EXPECT_EQ(Paint(item, 60, 40).At(12, 20), (Rgb{221, 131, 126}));
    // Alpha 255 gives the source exactly, alpha 0 leaves every byte as it was, also over
    // the selection.
    const IconPixels opaque = SolidIcon(Tomato, 255);
    item.entryPixels = &opaque;
    EXPECT_EQ(Paint(item, 60, 40).At(12, 20), Tomato);
    const IconPixels clear = SolidIcon(Tomato, 0);
    item.entryPixels = &clear;
    EXPECT_EQ(CountDifferences(Paint(item, 60, 24, true), Paint({}, 60, 24, true)), 0);
    EXPECT_EQ(CountDifferences(Paint(item, 60, 40), plain), 0);
}

TEST(PaintMenuItemTest, PictureColourFollowsTheItemState) {
    const IconPixels icon = SolidIcon(Tomato, 255);
    MenuItemLook item;
    item.entryPixels = &icon;
    const Rgb at = Paint(item, 60, 24, true).At(12, 10);
    EXPECT_EQ(at, AdjustLightness(Tomato, 110));
    EXPECT_NE(at, Tomato);

    item.enabled = false;
    EXPECT_EQ(Paint(item, 60, 24).At(12, 10), (Rgb{105, 105, 105})); // (200 + 10) / 2

    item.enabled = true;
    EXPECT_EQ(Paint(item, 60, 24, false, Dark).At(12, 10), AdjustLightness(Tomato, 90));
    EXPECT_EQ(Paint(item, 60, 24, true, Dark).At(12, 10),
              AdjustLightness(AdjustLightness(Tomato, 90), 110));
}

TEST(PaintMenuItemTest, KeptColourCacheChangesNothing) {
    IconPixels icon = SolidIcon(Tomato, 255);
    for (std::size_t i = 0; i < icon.size(); i += 4) {
        icon[i] = static_cast<std::uint8_t>(i);
        icon[i + 3] = static_cast<std::uint8_t>(i * 3);
    }
    PictureColourCache cache;
    for (int round = 0; round < 2; ++round) {
        for (const bool enabled : {true, false}) {
            for (const bool selected : {true, false}) {
                for (const SystemColours& system : {Classic, Dark}) {
                    MenuItemLook item;
                    item.entryPixels = &icon;
                    item.enabled = enabled;
                    const ItemRect rect{0, 0, 60, 24};
                    const ItemPixels cached =
                        PaintMenuItem(item, selected, rect, system, &cache).pixels;
                    const ItemPixels fresh = PaintMenuItem(item, selected, rect, system).pixels;
                    EXPECT_EQ(CountDifferences(cached, fresh), 0) << enabled << selected;
                }
            }
        }
    }
}

struct ListCase {
    const char* name;
    int pictureSide;
    int images;
    int index;
    bool shown;
};

TEST(PaintMenuItemTest, ImageListPictureOnlyWhenTheListFits) {
    const ListCase cases[] = {
        {"pair present", 16, 2, 0, true},
        {"second pair", 16, 4, 2, true},
        {"alpha image missing", 16, 1, 0, false},
        {"index beyond the list", 16, 4, 4, false},
        {"negative index", 16, 4, -2, false},
        {"large pictures", 32, 2, 0, false},
        {"no list", 0, 0, 0, false},
    };
    for (const ListCase& c : cases) {
        PictureList list(c.pictureSide, c.pictureSide);
        for (int i = 0; i < c.images; ++i)
            list.AddImage(i % 2 == 0 ? SolidImage(c.pictureSide, Tomato)
                                     : SolidImage(c.pictureSide, {0, 0, 255}));
        MenuItemLook item;
        item.imageIndex = c.index;
        item.pictures = c.pictureSide ? &list : nullptr;
        EXPECT_EQ(Paint(item, 60, 24).At(12, 10) == Tomato, c.shown) << c.name;
    }
}

TEST(PaintMenuItemTest, ImageListAlphaIsTheBlueByteOfTheOddImage) {
    PictureList list(16, 16);
    list.AddImage(SolidImage(16, Tomato));
    list.AddImage(SolidImage(16, {255, 255, 0})); // red and green full, blue 0: transparent
    list.AddImage(SolidImage(16, Tomato));
    list.AddImage(SolidImage(16, {0, 0, 255})); // only blue: opaque
    MenuItemLook item;
    item.pictures = &list;
    item.imageIndex = 0;
    EXPECT_EQ(Paint(item, 60, 24).At(12, 10), Paint({}, 60, 24).At(12, 10));
    item.imageIndex = 2;
    EXPECT_EQ(Paint(item, 60, 24).At(12, 10), Tomato);
}

TEST(PaintMenuItemTest, PictureSourceFollowsTheImageIndex) {
    const IconPixels icon = SolidIcon(Tomato, 255);
    PictureList list(16, 16);
    list.AddPair(SolidIcon({1, 2, 250}, 255).data());
    MenuItemLook item;
    item.pictures = &list;
    item.entryPixels = &icon;
    item.imageIndex = -1; // the entry's own pixels even with a list
    EXPECT_EQ(Paint(item, 60, 24).At(12, 10), Tomato);
    item.imageIndex = 0; // a list picture even with an entry
    EXPECT_EQ(Paint(item, 60, 24).At(12, 10), (Rgb{1, 2, 250}));
    item.imageIndex = -1;
    item.entryPixels = nullptr; // a fixed item without a list picture
    EXPECT_EQ(Paint(item, 60, 24).At(12, 10), Paint({}, 60, 24).At(12, 10));
}

struct ScalingCase {
    int dpi;
    int line, itemHeight, separatorHeight, stripWidth, slot, pictureLeft, textLeft;
};

// The bounding box (left, bottom, width, height) of the pixels of one colour.
std::array<int, 4> BoxOf(const ItemPixels& pixels, Rgb colour) {
    int left = pixels.Width(), right = -1, bottom = pixels.Height(), top = -1;
    for (int row = 0; row < pixels.Height(); ++row)
        for (int column = 0; column < pixels.Width(); ++column)
            if (pixels.At(column, row) == colour) {
                left = std::min(left, column), right = std::max(right, column);
                bottom = std::min(bottom, row), top = std::max(top, row);
            }
    return {left, bottom, right - left + 1, top - bottom + 1};
}

// 100, 125, 150, 200 and 300%: every length is the 96-DPI one scaled, halves rounded up; the
// picture drawn for the slot (or the next smaller size) sits in its middle; frames and lines
// grow thicker; and no item of any size is drawn outside its buffer (the sanitizers watch).
TEST(ScaledMenuItemTest, EveryLengthFollowsTheScaling) {
    const ScalingCase cases[] = {
        {96, 1, 24, 5, 26, 16, 5, 34},   {120, 1, 30, 6, 33, 20, 6, 43},
        {144, 2, 36, 8, 39, 24, 8, 51},  {192, 2, 48, 10, 52, 32, 10, 68},
        {288, 3, 72, 15, 78, 48, 15, 102},
    };
    const std::vector<int> drawnSides{16, 20, 24, 28, 32, 40, 48};
    for (const ScalingCase& c : cases) {
        const MenuMetrics m = MenuMetricsAt(c.dpi);
        EXPECT_EQ(std::vector<int>({m.line, m.minimumItemHeight, m.separatorHeight, m.stripWidth,
                                    m.pictureSlot, m.pictureLeft, m.textLeft}),
                  std::vector<int>({c.line, c.itemHeight, c.separatorHeight, c.stripWidth, c.slot,
                                    c.pictureLeft, c.textLeft}))
            << c.dpi;
        const ItemSize size = MeasureMenuItem(false, {50, 16}, std::nullopt, m);
        EXPECT_EQ(size.height, c.itemHeight) << c.dpi;
        EXPECT_EQ(MeasureMenuItem(true, {50, 16}, std::nullopt, m).height, c.separatorHeight);

        const int side = ChosenSide(c.slot, drawnSides);
        PictureList list(side, side);
        list.AddImage(SolidImage(side, Tomato));
        list.AddImage(SolidImage(side, {0, 0, 255}));
        MenuItemLook item;
        item.pictures = &list;
        item.imageIndex = 0;
        item.checked = true;
        const ItemRect rect{0, 0, size.width + 100, size.height};
        const ItemPixels plain =
            PaintMenuItem(item, false, rect, ClassicColours, nullptr, m).pixels;
        const int inset = (c.slot - side) / 2;
        EXPECT_EQ(BoxOf(plain, Tomato), (std::array<int, 4>{c.pictureLeft + inset,
                                                            c.itemHeight / 2 - c.slot / 2 + inset,
                                                            side, side}))
            << c.dpi;
        // An entry's own picture, read at the slot's side, fills the slot.
        const IconPixels own = SolidIcon(Tomato, 255, c.slot);
        MenuItemLook entry;
        entry.entryPixels = &own;
        EXPECT_EQ(BoxOf(PaintMenuItem(entry, false, rect, ClassicColours, nullptr, m).pixels,
                        Tomato),
                  (std::array<int, 4>{c.pictureLeft, c.itemHeight / 2 - c.slot / 2, c.slot,
                                      c.slot}))
            << c.dpi;
        // The check box's frame: just left and right of the slot, clear of the picture.
        const int middle = c.itemHeight / 2;
        const Rgb frame = ClassicColours.frameColor;
        EXPECT_EQ(plain.At(c.pictureLeft - m.checkMarginLeft, middle), frame) << c.dpi;
        EXPECT_EQ(plain.At(c.pictureLeft + c.slot - 1 + m.checkMarginRight, middle), frame);
        EXPECT_NE(plain.At(c.stripWidth - 1, 0), ClassicColours.menuBackgroundColor) << c.dpi;
        EXPECT_EQ(plain.At(c.stripWidth, 0), ClassicColours.menuBackgroundColor) << c.dpi;

        const ItemPixels lit = PaintMenuItem({}, true, rect, ClassicColours, nullptr, m).pixels;
        for (int row = 0; row < c.line; ++row)
            EXPECT_EQ(lit.At(rect.Width() / 2, row), ClassicColours.frameColor) << c.dpi;
        EXPECT_NE(lit.At(rect.Width() / 2, c.line), ClassicColours.frameColor) << c.dpi;

        MenuItemLook separator;
        separator.separator = true;
        const ItemPixels line =
            PaintMenuItem(separator, false, {0, 0, 200, c.separatorHeight}, ClassicColours,
                          nullptr, m)
                .pixels;
        EXPECT_EQ(BoxOf(line, ClassicColours.separatorColor)[3], c.line) << c.dpi;

        for (int height = m.minimumPaintHeight; height <= c.itemHeight + 3; ++height)
            for (const bool selected : {false, true})
                PaintMenuItem(item, selected, {0, 0, m.minimumPaintWidth, height},
                              ClassicColours, nullptr, m);
    }
}

// The dark look's submenu arrow: a triangle pointing right in the caption's colour, lit or
// not, its size and place following the scaling; no other item has one.
TEST(ScaledMenuItemTest, SubmenuArrowInTheCaptionsColour) {
    const MenuColours dark = DarkMenuColours({51, 153, 255});
    for (const int dpi : {96, 192}) {
        const MenuMetrics m = MenuMetricsAt(dpi);
        const ItemRect rect{0, 0, 200, m.minimumItemHeight};
        const int half = dpi == 96 ? 3 : 6, tip = dpi == 96 ? 192 : 184, middle = rect.bottom / 2;
        MenuItemLook item;
        item.submenuArrow = true;
        for (const bool selected : {false, true}) {
            const Rgb caption = selected ? dark.selectedCaptionColor : dark.captionColor;
            const ItemPixels pixels = PaintMenuItem(item, selected, rect, dark, nullptr, m).pixels;
            EXPECT_EQ(BoxOf(pixels, caption),
                      (std::array<int, 4>{tip - half, middle - half, half + 1, 2 * half + 1}))
                << dpi;
            int painted = 0;
            for (int row = 0; row < pixels.Height(); ++row)
                for (int column = 0; column < pixels.Width(); ++column)
                    painted += pixels.At(column, row) == caption;
            EXPECT_EQ(painted, (half + 1) * (half + 1)) << dpi; // a triangle, one row at the tip
        }
        item.submenuArrow = false;
        EXPECT_LE(
            BoxOf(PaintMenuItem(item, false, rect, dark, nullptr, m).pixels, dark.captionColor)[2],
            0);
    }
}

TEST(PictureListTest, PairsSplitColourAndAlpha) {
    IconPixels picture{};
    picture[0] = 10; // blue
    picture[1] = 20; // green
    picture[2] = 30; // red
    picture[3] = 77; // alpha
    PictureList list(16, 16);
    list.AddPair(picture.data());
    ASSERT_EQ(list.Count(), 2);
    const std::uint8_t* colour = list.Image(0);
    const std::uint8_t* alpha = list.Image(1);
    EXPECT_EQ(colour[0], 10);
    EXPECT_EQ(colour[1], 20);
    EXPECT_EQ(colour[2], 30);
    EXPECT_EQ(colour[3], 0);
    EXPECT_EQ(alpha[0], 77);
    EXPECT_EQ(alpha[1], 77);
    EXPECT_EQ(alpha[2], 77);
    EXPECT_EQ(alpha[4], 0);
}

TEST(PictureListTest, MenuPicturesHold41Pairs) {
    const PictureList list = PictureList::MenuPictureList();
    EXPECT_EQ(list.Count(), 82);
    EXPECT_EQ(list.PictureWidth(), 16);
    EXPECT_EQ(list.PictureHeight(), 16);
}

} // namespace
} // namespace vantrel
