#include "win32/OwnerDraw.h"

#include "render/ItemPainter.h"
#include "render/RowPictures.h"
#include "win32/Dpi.h"
#include "win32/Handles.h"
#include "win32/PopupMenuBinder.h"
#include "win32/ProgramArt.h"

#include <algorithm>

namespace vantrel::win32 {

// The system menu font, made per request so a change of settings shows at the next showing. Before
// Windows 10 the system tells it only at its own DPI: scaled from there.
OwnedGdiObject MenuFont(int dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    using ForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
    static const auto forDpi = reinterpret_cast<ForDpiFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "SystemParametersInfoForDpi")));
    if (forDpi && forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                         static_cast<UINT>(dpi)))
        return OwnedGdiObject(CreateFontIndirectW(&metrics.lfMenuFont));
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return OwnedGdiObject();
    metrics.lfMenuFont.lfHeight = MulDiv(metrics.lfMenuFont.lfHeight, dpi, SystemDpi());
    return OwnedGdiObject(CreateFontIndirectW(&metrics.lfMenuFont));
}

namespace {

PictureColourCache& ColourCache() {
    static PictureColourCache cache;
    return cache;
}

TextExtent Extent(HDC dc, const std::string& text) {
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return {static_cast<int>(size.cx), static_cast<int>(size.cy)};
}

MenuItemLook LookOf(const MenuNode& node, MenuLook menuLook, const MenuMetrics& metrics) {
    MenuItemLook look;
    look.separator = node.IsSeparator();
    look.submenuArrow = menuLook == MenuLook::Dark && node.HasChildren() && !look.separator;
    look.enabled = node.enabled;
    look.checked = node.checked;
    const RowPicture picture = PictureOfRow(node, metrics.pictureSlot);
    look.imageIndex = picture.imageIndex;
    look.entryPixels = picture.pixels;
    look.pictures = &MenuPicturesFor(metrics.pictureSlot);
    return look;
}

void CopyToScreen(HDC dc, const ItemRect& rect, const ItemPixels& pixels) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = pixels.Width();
    info.bmiHeader.biHeight = pixels.Height(); // positive: rows bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(pixels.ByteCount());
    StretchDIBits(dc, rect.left, rect.top, pixels.Width(), pixels.Height(), 0, 0, pixels.Width(),
                  pixels.Height(), pixels.Bytes(), &info, DIB_RGB_COLORS, SRCCOPY);
}

// Draws the text in the placement's rectangle and colour; its width as drawn.
int DrawLine(HDC dc, const std::string& text, const TextPlacement& place, UINT format) {
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF previousColour = SetTextColor(dc, ToColorRef(place.colour));
    RECT rect{place.rect.left, place.rect.top, place.rect.right, place.rect.bottom};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect,
              format | DT_SINGLELINE | DT_VCENTER);
    RECT drawn = rect;
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &drawn,
              format | DT_SINGLELINE | DT_CALCRECT);
    SetTextColor(dc, previousColour);
    SetBkMode(dc, previousMode);
    return std::min(drawn.right, rect.right) - rect.left;
}

void DrawCaption(HDC dc, const MenuNode& node, const TextPlacement& text, int dpi) {
    OwnedGdiObject font = MenuFont(dpi);
    ScopedSelect selectFont(dc, font.Get());
    // "&" underlines the next character and "&&" shows one, as in every Windows menu.
    DrawLine(dc, node.caption, text, 0);
}

} // namespace

int MenuRowHeight(HWND window, int dpi) {
    WindowDc dc(window);
    OwnedGdiObject font = MenuFont(dpi);
    ScopedSelect selectFont(dc.Get(), font.Get());
    return MeasureMenuItem(false, Extent(dc.Get(), "Ag"), std::nullopt, MenuMetricsAt(dpi)).height;
}

void PaintFoundRow(const DRAWITEMSTRUCT& draw, const MenuNode* entry, const std::string& text,
                   const std::string& path, const MenuColours& colours, int dpi) {
    const MenuMetrics metrics = MenuMetricsAt(dpi);
    const ItemRect rect{draw.rcItem.left, draw.rcItem.top, draw.rcItem.right, draw.rcItem.bottom};
    MenuItemLook item;
    item.enabled = entry != nullptr;
    if (entry)
        item = LookOf(*entry, MenuLook::Derived, metrics); // Derived: no arrow of its own
    const PaintedItem painted = PaintMenuItem(item, entry && (draw.itemState & ODS_SELECTED) != 0,
                                              rect, colours, &ColourCache(), metrics);
    if (painted.pixels.Empty() || !painted.text)
        return;
    CopyToScreen(draw.hDC, rect, painted.pixels);
    OwnedGdiObject font = MenuFont(dpi);
    ScopedSelect selectFont(draw.hDC, font.Get());
    TextPlacement place = *painted.text;
    const int width = DrawLine(draw.hDC, text, place, entry ? DT_END_ELLIPSIS : DT_NOPREFIX);
    place.rect.left += width + metrics.textLeft - metrics.stripWidth;
    place.colour = colours.disabledTextColor;
    if (place.rect.left < place.rect.right)
        DrawLine(draw.hDC, path, place, DT_NOPREFIX | DT_END_ELLIPSIS);
}

void PopupMenuMeasureItem(HWND window, MEASUREITEMSTRUCT& measure, int dpi) {
    const MenuNode* node = NodeOfItem(measure.itemData);
    if (!node)
        return;
    WindowDc dc(window);
    OwnedGdiObject font = MenuFont(dpi);
    ScopedSelect selectFont(dc.Get(), font.Get());
    // No item of this program has a keyboard shortcut, so there is no shortcut text.
    const ItemSize size = MeasureMenuItem(node->IsSeparator(), Extent(dc.Get(), node->caption),
                                          std::nullopt, MenuMetricsAt(dpi));
    measure.itemWidth = static_cast<UINT>(size.width);
    measure.itemHeight = static_cast<UINT>(size.height);
}

SIZE PopupMenuSize(HWND window, const MenuNode& menu, int dpi) {
    WindowDc dc(window);
    OwnedGdiObject font = MenuFont(dpi);
    ScopedSelect selectFont(dc.Get(), font.Get());
    const MenuMetrics metrics = MenuMetricsAt(dpi);
    SIZE size{0, 0};
    for (std::size_t i = 0; i < menu.Count(); ++i) {
        const MenuNode& row = menu.Child(i);
        if (!row.visible)
            continue;
        const ItemSize item = MeasureMenuItem(row.IsSeparator(), Extent(dc.Get(), row.caption),
                                              std::nullopt, metrics);
        size.cx = std::max<LONG>(size.cx, item.width);
        size.cy += item.height;
    }
    // The menu's frame: a 3-D edge and a pixel of padding on every side.
    const int frame = 2 * (SystemMetricAt(SM_CXEDGE, dpi) + 1);
    return {size.cx + frame + SystemMetricAt(SM_CXMENUCHECK, dpi), size.cy + frame};
}

void PopupMenuAdvancedDrawItem(const DRAWITEMSTRUCT& draw, const MenuColours& colours,
                               MenuLook look, int dpi) {
    const MenuNode* node = NodeOfItem(draw.itemData);
    // A repaint of one row (a picture that arrived) asks for every item; only the rows in
    // the region being painted are drawn.
    if (!node || !RectVisible(draw.hDC, &draw.rcItem))
        return;
    const MenuMetrics metrics = MenuMetricsAt(dpi);
    const ItemRect rect{draw.rcItem.left, draw.rcItem.top, draw.rcItem.right, draw.rcItem.bottom};
    const MenuItemLook item = LookOf(*node, look, metrics);
    const PaintedItem painted = PaintMenuItem(item, (draw.itemState & ODS_SELECTED) != 0, rect,
                                              colours, &ColourCache(), metrics);
    if (painted.pixels.Empty())
        return;
    CopyToScreen(draw.hDC, rect, painted.pixels);
    if (painted.text)
        DrawCaption(draw.hDC, *node, *painted.text, dpi);
    // Windows draws its arrow into the same device context once this returns: the item is
    // taken out of what it may paint.
    if (item.submenuArrow)
        ExcludeClipRect(draw.hDC, rect.left, rect.top, rect.right, rect.bottom);
}

} // namespace vantrel::win32
