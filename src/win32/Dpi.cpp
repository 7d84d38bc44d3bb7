#include "win32/Dpi.h"

#include "platform/Dpi.h"
#include "win32/DllSearch.h"

namespace vantrel::win32 {

namespace {
template <typename Fn>
Fn UserExport(const char* name) {
    HMODULE user = GetModuleHandleA("user32.dll");
    return user ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user, name)))
                : nullptr;
}

// GetDpiForMonitor lives in shcore.dll (Windows 8.1 and later), loaded from System32 once.
using MonitorDpiFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
MonitorDpiFn MonitorDpiFunction() {
    static const MonitorDpiFn function = [] {
        HMODULE shcore = LoadSystemLibrary("shcore.dll");
        return shcore ? reinterpret_cast<MonitorDpiFn>(
                            reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")))
                      : nullptr;
    }();
    return function;
}

int Usable(UINT dpi) {
    return dpi >= 48 && dpi <= 960 ? static_cast<int>(dpi) : SystemDpi();
}
} // namespace

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : DesignDpi;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi >= 48 && dpi <= 960 ? dpi : DesignDpi;
}

int DpiOfWindow(HWND window) {
    using WindowDpiFn = UINT(WINAPI*)(HWND);
    static const auto forWindow = UserExport<WindowDpiFn>("GetDpiForWindow");
    return forWindow && window ? Usable(forWindow(window)) : SystemDpi();
}

int DpiAtPoint(POINT point) {
    const MonitorDpiFn forMonitor = MonitorDpiFunction();
    UINT x = 0;
    UINT y = 0;
    constexpr int EffectiveDpi = 0; // MDT_EFFECTIVE_DPI
    if (!forMonitor ||
        FAILED(forMonitor(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), EffectiveDpi, &x, &y)))
        return SystemDpi();
    return Usable(y);
}

int SystemMetricAt(int index, int dpi) {
    using MetricFn = int(WINAPI*)(int, UINT);
    static const auto forDpi = UserExport<MetricFn>("GetSystemMetricsForDpi");
    if (forDpi)
        return forDpi(index, static_cast<UINT>(dpi));
    // Before Windows 10 the metrics follow the system's DPI; scale from there.
    return MulDiv(GetSystemMetrics(index), dpi, SystemDpi());
}

} // namespace vantrel::win32
