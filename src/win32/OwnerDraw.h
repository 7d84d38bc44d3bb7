#pragma once
// WM_MEASUREITEM and WM_DRAWITEM for every item of every popup menu.

#include "render/ColourModel.h"
#include "tree/MenuNode.h"
#include "win32/WinHeaders.h"

namespace vantrel::win32 {

void PopupMenuMeasureItem(HWND window, MEASUREITEMSTRUCT& measure);
void PopupMenuAdvancedDrawItem(const DRAWITEMSTRUCT& draw, const MenuColours& colours);

} // namespace vantrel::win32
