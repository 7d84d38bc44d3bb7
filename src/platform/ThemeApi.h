#pragma once
// What the menus' colours follow: the user's colour scheme, high contrast and dark mode.

#include <cstdint>
#include <optional>

namespace vantrel {

// The system colours the menus are painted in.
enum class SystemColour {
    ButtonFace,
    Highlight,
    WindowText,
    Menu,
    MenuText,
    HighlightText,
    GrayText
};

class ThemeApi {
  public:
    virtual ~ThemeApi() = default;

    // GetSysColor: 0x00BBGGRR.
    virtual std::uint32_t Colour(SystemColour which) = 0;
    // SPI_GETHIGHCONTRAST: a high-contrast theme is on.
    virtual bool HighContrast() = 0;
    // The user's AppsUseLightTheme (Settings > Personalization > Colors, "app mode"); empty
    // when it is missing, as before Windows 10, or is not a number.
    virtual std::optional<std::uint32_t> AppsUseLightTheme() = 0;
};

} // namespace vantrel
