#include "win32/Handles.h"
#include "win32/Win32Icons.h"

#include <gtest/gtest.h>

#include <vector>

namespace vantrel::win32 {
namespace {

// An opaque square icon of one colour, side x side, as the shell hands out at other scalings.
HICON SquareIcon(int side, COLORREF colour) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, side, side);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    RECT all{0, 0, side, side};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, previous);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    std::vector<BYTE> maskBits(static_cast<std::size_t>(side * side / 8 + side * 2), 0);
    HBITMAP mask = CreateBitmap(side, side, 1, 1, maskBits.data()); // black: opaque
    ICONINFO parts{TRUE, 0, 0, mask, bitmap};
    HICON icon = CreateIconIndirect(&parts);
    DeleteObject(mask);
    DeleteObject(bitmap);
    return icon;
}

TEST(Win32IconsTest, IconsAreReadAtTheirOwnSize) {
    for (int side : {16, 20, 24, 32, 48}) {
        HICON icon = SquareIcon(side, RGB(200, 40, 10));
        ASSERT_NE(icon, nullptr);
        const HandleCounts before = LiveHandleCounts();
        const auto raw = ReadIconPixels(icon);
        EXPECT_EQ(LiveHandleCounts(), before) << side;
        DestroyIcon(icon);
        ASSERT_TRUE(raw.has_value()) << side;
        EXPECT_TRUE(raw->colourRead) << side;
        EXPECT_TRUE(raw->maskRead) << side;
        EXPECT_EQ(raw->colour.Side(), side);
        // Blue, green, red of the middle pixel.
        const std::size_t middle = static_cast<std::size_t>((side / 2 * side + side / 2) * 4);
        EXPECT_EQ(raw->colour[middle + 2], 200) << side;
        EXPECT_EQ(raw->colour[middle + 0], 10) << side;
    }
}

} // namespace
} // namespace vantrel::win32
