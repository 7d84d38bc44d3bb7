#include "tree/MenuNode.h"
#include "win32/Handles.h"
#include "win32/OwnerDraw.h"

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
        for (MenuNode* node : {&item, &separator, &disabled}) {
            MEASUREITEMSTRUCT measure{};
            measure.CtlType = ODT_MENU;
            measure.itemData = reinterpret_cast<ULONG_PTR>(node);
            PopupMenuMeasureItem(nullptr, measure);
            EXPECT_EQ(measure.itemHeight, node == &separator ? 5u : 24u);
            EXPECT_GT(measure.itemWidth, 42u);

            DRAWITEMSTRUCT draw{};
            draw.CtlType = ODT_MENU;
            draw.itemData = reinterpret_cast<ULONG_PTR>(node);
            draw.itemState = round % 2 ? ODS_SELECTED : 0;
            draw.hDC = dc;
            draw.rcItem = RECT{0, 0, 300, static_cast<LONG>(measure.itemHeight)};
            PopupMenuAdvancedDrawItem(draw, colours);
        }
    }
    EXPECT_EQ(LiveHandleCounts(), before);

    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

} // namespace
} // namespace vantrel::win32
