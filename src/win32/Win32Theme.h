#pragma once
// The user's colour scheme (user32), high contrast and dark mode (the registry).

#include "platform/ThemeApi.h"

namespace vantrel::win32 {

class Win32Theme final : public ThemeApi {
  public:
    std::uint32_t Colour(SystemColour which) override;
    bool HighContrast() override;
    std::optional<std::uint32_t> AppsUseLightTheme() override;
};

} // namespace vantrel::win32
