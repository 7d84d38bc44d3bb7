#pragma once
// The DPI a window or a place on the screen is shown at. The program declares per-monitor
// awareness in its manifest; the calls that tell a monitor's own DPI exist from Windows 8.1
// and 10 on, so each is looked up, and older systems fall back to the system's DPI (Windows 7
// is system aware).

#include "win32/WinHeaders.h"

namespace vantrel::win32 {

int DpiOfWindow(HWND window);
int DpiAtPoint(POINT point);
int SystemDpi();
// A system metric (SM_CXSMICON, ...) at a DPI.
int SystemMetricAt(int index, int dpi);

} // namespace vantrel::win32
