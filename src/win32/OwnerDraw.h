#pragma once
// WM_MEASUREITEM and WM_DRAWITEM for every item of every popup menu, at the DPI of the
// monitor the menu shows on.

#include "render/ColourModel.h"
#include "tree/MenuNode.h"
#include "win32/WinHeaders.h"

namespace vantrel::win32 {

void PopupMenuMeasureItem(HWND window, MEASUREITEMSTRUCT& measure, int dpi);
void PopupMenuAdvancedDrawItem(const DRAWITEMSTRUCT& draw, const MenuColours& colours, int dpi);

} // namespace vantrel::win32
