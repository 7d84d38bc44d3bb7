#include "win32/OwnerDraw.h"

#include "render/ItemPainter.h"
#include "render/RowPictures.h"
#include "win32/Handles.h"

namespace vantrel::win32 {

namespace {
const MenuNode* NodeOf(ULONG_PTR itemData) { return reinterpret_cast<const MenuNode*>(itemData); }

// The main image list: made once, shared by every menu and submenu.
const PictureList& MenuPictureList() {
    static const PictureList pictures = PictureList::MenuPictureList();
    return pictures;
}

PictureColourCache& ColourCache() {
    static PictureColourCache cache;
    return cache;
}

// The system menu font, made per request so a change of settings shows at the next showing.
OwnedGdiObject MenuFont() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return OwnedGdiObject();
    return OwnedGdiObject(CreateFontIndirectA(&metrics.lfMenuFont));
}

TextExtent Extent(HDC dc, const std::string& text) {
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return {static_cast<int>(size.cx), static_cast<int>(size.cy)};
}

MenuItemLook LookOf(const MenuNode& node) {
    MenuItemLook look;
    look.separator = node.IsSeparator();
    look.enabled = node.enabled;
    look.checked = node.checked;
    const RowPicture picture = PictureOfRow(node);
    look.imageIndex = picture.imageIndex;
    look.entryPixels = picture.pixels;
    look.pictures = &MenuPictureList();
    return look;
}

SystemColours CurrentSystemColours() {
    return {FromColorRef(GetSysColor(COLOR_BTNFACE)), FromColorRef(GetSysColor(COLOR_HIGHLIGHT)),
            FromColorRef(GetSysColor(COLOR_WINDOWTEXT))};
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

void DrawCaption(HDC dc, const MenuNode& node, const TextPlacement& text) {
    OwnedGdiObject font = MenuFont();
    ScopedSelect selectFont(dc, font.Get());
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF previousColour = SetTextColor(dc, ToColorRef(text.colour));
    RECT rect{text.rect.left, text.rect.top, text.rect.right, text.rect.bottom};
    // "&" underlines the next character and "&&" shows one, as in every Windows menu.
    DrawTextA(dc, node.caption.c_str(), static_cast<int>(node.caption.size()), &rect,
              DT_SINGLELINE | DT_VCENTER);
    SetTextColor(dc, previousColour);
    SetBkMode(dc, previousMode);
}
} // namespace

void PopupMenuMeasureItem(HWND window, MEASUREITEMSTRUCT& measure) {
    const MenuNode* node = NodeOf(measure.itemData);
    if (!node)
        return;
    WindowDc dc(window);
    OwnedGdiObject font = MenuFont();
    ScopedSelect selectFont(dc.Get(), font.Get());
    // No item of this program has a keyboard shortcut, so there is no shortcut text.
    const ItemSize size = MeasureMenuItem(node->IsSeparator(), Extent(dc.Get(), node->caption));
    measure.itemWidth = static_cast<UINT>(size.width);
    measure.itemHeight = static_cast<UINT>(size.height);
}

void PopupMenuAdvancedDrawItem(const DRAWITEMSTRUCT& draw) {
    const MenuNode* node = NodeOf(draw.itemData);
    // A repaint of one row (a picture that arrived) asks for every item; only the rows in
    // the region being painted are drawn.
    if (!node || !RectVisible(draw.hDC, &draw.rcItem))
        return;
    const ItemRect rect{draw.rcItem.left, draw.rcItem.top, draw.rcItem.right, draw.rcItem.bottom};
    const PaintedItem painted = PaintMenuItem(LookOf(*node), (draw.itemState & ODS_SELECTED) != 0,
                                              rect, CurrentSystemColours(), &ColourCache());
    if (painted.pixels.Empty())
        return;
    CopyToScreen(draw.hDC, rect, painted.pixels);
    if (painted.text)
        DrawCaption(draw.hDC, *node, *painted.text);
}

} // namespace vantrel::win32
