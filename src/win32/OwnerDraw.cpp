#include "win32/OwnerDraw.h"

#include "win32/Handles.h"

#include <algorithm>

namespace vantrel::win32 {

namespace {
const MenuNode* NodeOf(ULONG_PTR itemData) { return reinterpret_cast<const MenuNode*>(itemData); }

// The system menu font, made per request so a change of settings shows at the next showing.
OwnedGdiObject MenuFont() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return OwnedGdiObject();
    return OwnedGdiObject(CreateFontIndirectA(&metrics.lfMenuFont));
}

SIZE TextExtent(HDC dc, const std::string& text) {
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}
} // namespace

void PopupMenuMeasureItem(HWND window, MEASUREITEMSTRUCT& measure) {
    const MenuNode* node = NodeOf(measure.itemData);
    if (!node)
        return;
    WindowDc dc(window);
    OwnedGdiObject font = MenuFont();
    ScopedSelect selectFont(dc.Get(), font.Get());
    const SIZE text = TextExtent(dc.Get(), node->caption);
    const int height = node->IsSeparator() ? 5 : std::max(24, static_cast<int>(text.cy) + 4);
    measure.itemHeight = static_cast<UINT>(height);
    measure.itemWidth = static_cast<UINT>(text.cx + 42);
}

void PopupMenuAdvancedDrawItem(const DRAWITEMSTRUCT& draw) {
    const MenuNode* node = NodeOf(draw.itemData);
    if (!node)
        return;
    const bool highlighted = (draw.itemState & ODS_SELECTED) && node->enabled;
    RECT rect = draw.rcItem;
    HBRUSH background =
        GetSysColorBrush(highlighted ? COLOR_HIGHLIGHT : COLOR_MENU); // system-owned brush
    FillRect(draw.hDC, &rect, background);
    if (node->IsSeparator()) {
        RECT line{rect.left + 29, (rect.top + rect.bottom) / 2, rect.right - 3,
                  (rect.top + rect.bottom) / 2 + 1};
        FillRect(draw.hDC, &line, GetSysColorBrush(COLOR_GRAYTEXT));
        return;
    }
    OwnedGdiObject font = MenuFont();
    ScopedSelect selectFont(draw.hDC, font.Get());
    const int previousMode = SetBkMode(draw.hDC, TRANSPARENT);
    SetTextColor(draw.hDC, GetSysColor(!node->enabled ? COLOR_GRAYTEXT
                                       : highlighted  ? COLOR_HIGHLIGHTTEXT
                                                      : COLOR_MENUTEXT));
    RECT textRect{rect.left + 34, rect.top, rect.right - 16, rect.bottom};
    DrawTextA(draw.hDC, node->caption.c_str(), static_cast<int>(node->caption.size()), &textRect,
              DT_SINGLELINE | DT_VCENTER);
    SetBkMode(draw.hDC, previousMode);
}

} // namespace vantrel::win32
