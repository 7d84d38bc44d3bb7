#include "render/PictureData.h"
#include "tree/MenuNode.h"
#include "win32/Handles.h"
#include "win32/OwnerDraw.h"
#include "win32/PopupMenuBinder.h"
#include "win32/ProgramArt.h"

#include <gtest/gtest.h>

namespace vantrel::win32 {
namespace {

// Measures and paints items into a memory bitmap, as the menu does on every showing.
TEST(OwnerDrawTest, MeasuringAndPaintingReleaseEveryHandle) {
    MenuNode root;
    MenuNode& item = root.Append("Files and Folders", 54);
    MenuNode& separator = root.Append("-", -1);
    MenuNode& disabled = root.Append("Disabled", 0);
    disabled.enabled = false;
    disabled.checked = true;

    const MenuColours colours = DeriveMenuColours({240, 240, 240}, {51, 153, 255});
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 300, 40);
    ReleaseDC(nullptr, screen);
    HGDIOBJ previous = SelectObject(dc, bitmap);

    const HandleCounts before = LiveHandleCounts();
    for (int round = 0; round < 500; ++round) {
        // 100% and 150%: the 24-pixel pictures come from the packed resource.
        const int dpi = round % 4 < 2 ? 96 : 144;
        for (MenuNode* node : {&item, &separator, &disabled}) {
            MenuItemData data;
            data.node = node;
            MEASUREITEMSTRUCT measure{};
            measure.CtlType = ODT_MENU;
            measure.itemData = reinterpret_cast<ULONG_PTR>(&data);
            PopupMenuMeasureItem(nullptr, measure, dpi);
            const UINT separatorHeight = dpi == 96 ? 5 : 8, itemHeight = dpi == 96 ? 24 : 36;
            EXPECT_EQ(measure.itemHeight, node == &separator ? separatorHeight : itemHeight);
            EXPECT_GT(measure.itemWidth, 42u);

            DRAWITEMSTRUCT draw{};
            draw.CtlType = ODT_MENU;
            draw.itemData = reinterpret_cast<ULONG_PTR>(&data);
            draw.itemState = round % 2 ? ODS_SELECTED : 0;
            draw.hDC = dc;
            draw.rcItem = RECT{0, 0, 300, static_cast<LONG>(measure.itemHeight)};
            PopupMenuAdvancedDrawItem(draw, colours, MenuLook::Derived, dpi);
        }
    }
    EXPECT_EQ(LiveHandleCounts(), before);

    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

// The packed pictures are read from the exe's resource: each slot gets the size drawn for it
// or the next smaller one, and the About picture any size asked for.
TEST(OwnerDrawTest, PicturesComeAtTheSizeOfTheirPlace) {
    const std::pair<int, int> slots[] = {{16, 16}, {20, 20}, {22, 20}, {24, 24}, {36, 32},
                                         {48, 48}, {60, 48}};
    for (const auto& [slot, side] : slots) {
        EXPECT_EQ(MenuPicturesFor(slot).PictureWidth(), side) << slot;
        EXPECT_EQ(MenuPicturesFor(slot).Count(), 2 * MenuPictureCount) << slot;
        int glyphSide = 0;
        EXPECT_NE(GlyphFor(Glyph::Ok, slot, glyphSide), nullptr);
        EXPECT_EQ(glyphSide, side) << slot;
    }
    EXPECT_EQ(AboutPictureAt(192).size(), 192u * 192 * 4);
}

} // namespace
} // namespace vantrel::win32
