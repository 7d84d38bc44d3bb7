#pragma once
// WM_MEASUREITEM and WM_DRAWITEM for every item of every popup menu, at the DPI of the
// monitor the menu shows on.

#include "render/ColourModel.h"
#include "render/MenuTheme.h"
#include "tree/MenuNode.h"
#include "win32/Handles.h"
#include "win32/WinHeaders.h"

#include <string>

namespace vantrel::win32 {

// The items' data are the binder's (MenuItemData).
void PopupMenuMeasureItem(HWND window, MEASUREITEMSTRUCT& measure, int dpi);
// About the size a popup menu of those rows shows at, frame included: enough to tell on which
// side of a point it fits.
SIZE PopupMenuSize(HWND window, const MenuNode& menu, int dpi);
// In the dark look a submenu's arrow is painted with the item, and Windows' own is kept off it.
void PopupMenuAdvancedDrawItem(const DRAWITEMSTRUCT& draw, const MenuColours& colours,
                               MenuLook look, int dpi);

// The system's menu font at a DPI; the Find window's text is in it too.
OwnedGdiObject MenuFont(int dpi);
// The height of a row with a caption in the menu font at that DPI.
int MenuRowHeight(HWND window, int dpi);

// A row of the Find window: the entry as its menu row shows it, without a submenu's arrow,
// and the group path after its caption in the colour of disabled captions; or, without an
// entry, a notice in that colour.
void PaintFoundRow(const DRAWITEMSTRUCT& draw, const MenuNode* entry, const std::string& text,
                   const std::string& path, const MenuColours& colours, int dpi);

} // namespace vantrel::win32
