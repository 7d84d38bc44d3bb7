#include "fakes/FakeTheme.h"

#include "fakes/FakePlatform.h"

namespace vantrel::testing {

std::uint32_t FakeTheme::Colour(SystemColour which) {
    log_.Add("GetSysColor " + std::to_string(static_cast<int>(which)));
    const auto it = colours.find(which);
    return it == colours.end() ? 0u : it->second;
}

bool FakeTheme::HighContrast() {
    log_.Add("SPI_GETHIGHCONTRAST");
    return highContrast;
}

std::optional<std::uint32_t> FakeTheme::AppsUseLightTheme() {
    log_.Add("AppsUseLightTheme");
    return appsUseLightTheme;
}

} // namespace vantrel::testing
