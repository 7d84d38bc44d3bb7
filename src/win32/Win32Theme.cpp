#include "win32/Win32Theme.h"

#include "win32/WinHeaders.h"

namespace vantrel::win32 {

namespace {
int ColourIndex(SystemColour which) {
    switch (which) {
    case SystemColour::ButtonFace:
        return COLOR_BTNFACE;
    case SystemColour::Highlight:
        return COLOR_HIGHLIGHT;
    case SystemColour::WindowText:
        return COLOR_WINDOWTEXT;
    case SystemColour::Menu:
        return COLOR_MENU;
    case SystemColour::MenuText:
        return COLOR_MENUTEXT;
    case SystemColour::HighlightText:
        return COLOR_HIGHLIGHTTEXT;
    case SystemColour::GrayText:
        return COLOR_GRAYTEXT;
    }
    return COLOR_WINDOWTEXT;
}
} // namespace

std::uint32_t Win32Theme::Colour(SystemColour which) {
    return GetSysColor(ColourIndex(which));
}

bool Win32Theme::HighContrast() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

std::optional<std::uint32_t> Win32Theme::AppsUseLightTheme() {
    DWORD value = 0;
    DWORD size = sizeof value;
    // RRF_RT_REG_DWORD: a value of another type fails instead of being misread.
    if (RegGetValueW(
            HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
            L"AppsUseLightTheme", RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

} // namespace vantrel::win32
