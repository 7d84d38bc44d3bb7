#include "render/MenuTheme.h"

#include "fakes/FakePlatform.h"
#include "fakes/FakeTheme.h"
#include "render/ColourPrinting.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using testing::CallLog;
using testing::FakeTheme;

const Rgb Windows10Highlight{0, 120, 215};

TEST(MenuThemeTest, DarkLookSitsBesideWindowsOwnDarkMenus) {
    const MenuColours c = DarkMenuColours(Windows10Highlight);
    EXPECT_EQ(c.menuBackgroundColor, (Rgb{43, 43, 43}));
    EXPECT_EQ(c.stripLeftColor, (Rgb{59, 59, 59}));
    EXPECT_EQ(c.stripRightColor, (Rgb{34, 34, 34}));
    EXPECT_EQ(c.selectionLightColor, (Rgb{0, 110, 200}));
    EXPECT_EQ(c.selectionDarkColor, (Rgb{0, 64, 115}));
    EXPECT_EQ(c.checkLightColor, (Rgb{0, 110, 200}));
    EXPECT_EQ(c.checkDarkColor, (Rgb{0, 52, 94}));
    EXPECT_EQ(c.frameColor, (Rgb{149, 149, 149}));
    EXPECT_EQ(c.separatorColor, (Rgb{135, 135, 135}));
    EXPECT_EQ(c.disabledTextColor, (Rgb{135, 135, 135}));
    EXPECT_EQ(c.captionColor, (Rgb{240, 240, 240}));
    EXPECT_EQ(c.selectedCaptionColor, c.captionColor);
    EXPECT_EQ(c.iconLightnessPercent, 100);
    // Disabled captions read as well as on the light menus (3.9:1 there).
    EXPECT_NEAR(ContrastRatio(c.disabledTextColor, c.menuBackgroundColor), 3.9, 0.05);
}

TEST(MenuThemeTest, DarkSelectionKeepsLightCaptionsReadableForAnyAccent) {
    std::vector<Rgb> accents = {{255, 255, 255}, {255, 255, 0}, {0, 255, 255}, {0, 0, 0},
                                {51, 153, 255},  {255, 185, 0}, {0, 0, 255}};
    for (int hue = 0; hue < HlsMax; hue += 10)
        accents.push_back(HlsToRgb({hue, 150, 240}));
    for (const Rgb accent : accents) {
        const MenuColours c = DarkMenuColours(accent);
        for (const Rgb behind :
             {c.selectionLightColor, c.selectionDarkColor, c.menuBackgroundColor})
            EXPECT_GE(ContrastRatio(c.selectedCaptionColor, behind), MinimumCaptionContrast)
                << accent;
        // The glass keeps the accent's hue: lighter on top, darker below.
        EXPECT_GE(RgbToHls(c.selectionLightColor).lightness,
                  RgbToHls(c.selectionDarkColor).lightness)
            << accent;
    }
}

struct ThemeCase {
    bool highContrast;
    std::optional<std::uint32_t> appsUseLightTheme;
    MenuLook look;
};

TEST(MenuThemeTest, TheLookFollowsHighContrastThenDarkMode) {
    const ThemeCase cases[] = {
        {false, std::nullopt, MenuLook::Derived}, // Windows 7 and 8 have no such value
        {false, 1u, MenuLook::Derived},
        {false, 2u, MenuLook::Derived},
        {false, 0u, MenuLook::Dark},
        {true, 0u, MenuLook::HighContrast},
        {true, std::nullopt, MenuLook::HighContrast},
    };
    for (const ThemeCase& c : cases) {
        CallLog log;
        FakeTheme theme(log);
        theme.highContrast = c.highContrast;
        theme.appsUseLightTheme = c.appsUseLightTheme;
        EXPECT_EQ(CurrentMenuLook(theme), c.look)
            << c.highContrast << " " << c.appsUseLightTheme.value_or(99);
    }
}

TEST(MenuThemeTest, EachLookReadsItsOwnSystemColours) {
    CallLog log;
    FakeTheme theme(log);
    theme.colours = {
        {SystemColour::ButtonFace, 0x00F0F0F0}, {SystemColour::Highlight, 0x00D77800},
        {SystemColour::WindowText, 0x00030201}, {SystemColour::Menu, 0x00000000},
        {SystemColour::MenuText, 0x00FFFFFF},   {SystemColour::HighlightText, 0x00100000},
        {SystemColour::GrayText, 0x003FF23F}};
    const MenuColours derived = CurrentMenuColours(theme);
    EXPECT_EQ(derived.menuBackgroundColor, (Rgb{249, 249, 249}));
    EXPECT_EQ(derived.captionColor, (Rgb{1, 2, 3}));
    EXPECT_EQ(derived.selectionDarkColor,
              DeriveMenuColours({240, 240, 240}, Windows10Highlight).selectionDarkColor);

    theme.appsUseLightTheme = 0;
    EXPECT_EQ(CurrentMenuColours(theme).selectionLightColor,
              DarkMenuColours(Windows10Highlight).selectionLightColor);

    theme.highContrast = true;
    const MenuColours high = CurrentMenuColours(theme);
    EXPECT_EQ(high.menuBackgroundColor, (Rgb{0, 0, 0}));
    EXPECT_EQ(high.captionColor, (Rgb{255, 255, 255}));
    EXPECT_EQ(high.selectionLightColor, Windows10Highlight);
    EXPECT_EQ(high.selectedCaptionColor, (Rgb{0, 0, 0x10}));
    EXPECT_EQ(high.disabledTextColor, (Rgb{0x3F, 0xF2, 0x3F}));
}

TEST(MenuThemeTest, ColoursAreKeptUntilAMenuOpensAfterAChange) {
    CallLog log;
    FakeTheme theme(log);
    theme.colours[SystemColour::ButtonFace] = 0x00F0F0F0;
    MenuTheme menus(theme);
    menus.MenuOpening();
    const Rgb light = menus.Colours().menuBackgroundColor;
    const std::size_t asked = log.calls.size();
    for (int paint = 0; paint < 10; ++paint)
        menus.Colours();
    menus.MenuOpening();
    EXPECT_EQ(log.calls.size(), asked) << "nothing changed: the system is not asked again";

    theme.appsUseLightTheme = 0;
    menus.SettingsChanged();
    EXPECT_EQ(menus.Colours().menuBackgroundColor, light) << "an open menu keeps its look";
    EXPECT_EQ(menus.Look(), MenuLook::Derived);
    menus.MenuOpening();
    EXPECT_EQ(menus.Colours().menuBackgroundColor, (Rgb{43, 43, 43}));
    EXPECT_EQ(menus.Look(), MenuLook::Dark);
}

} // namespace
} // namespace vantrel
