#include "win32/Win32Messages.h"

namespace vantrel::win32 {

bool Win32Messages::PostToMainForm(std::uint32_t message, std::uintptr_t wParam,
                                   std::intptr_t lParam) {
    const HWND window = window_;
    return window && PostMessageA(window, message, wParam, lParam) != FALSE;
}

} // namespace vantrel::win32
