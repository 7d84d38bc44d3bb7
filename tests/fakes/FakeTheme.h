#pragma once
// Settable stand-in for the user's theme; every question is logged, so a test can tell how
// often the system was asked.

#include "platform/ThemeApi.h"

#include <map>

namespace vantrel::testing {

struct CallLog;

class FakeTheme : public ThemeApi {
  public:
    explicit FakeTheme(CallLog& log) : log_(log) {}

    std::map<SystemColour, std::uint32_t> colours; // 0x00BBGGRR; any other colour is black
    bool highContrast = false;
    std::optional<std::uint32_t> appsUseLightTheme; // empty: no such value

    std::uint32_t Colour(SystemColour which) override;
    bool HighContrast() override;
    std::optional<std::uint32_t> AppsUseLightTheme() override;

  private:
    CallLog& log_;
};

} // namespace vantrel::testing
