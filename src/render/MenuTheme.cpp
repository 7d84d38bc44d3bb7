#include "render/MenuTheme.h"

#include <algorithm>

namespace vantrel {

namespace {
// Windows 10 and 11 paint their own dark menus in about this grey, with white text; ours
// open beside them from the same tray.
constexpr Rgb DarkFace{43, 43, 43};
// Light enough to read as white on the dark face (12.4:1), and the same grey as the light
// scheme's face, so captions do not glare.
constexpr Rgb DarkCaption{240, 240, 240};
// The strip runs from a little lighter than the face at its outer edge to a little darker
// at the captions' side, like the light strip, in steps that stay calm on a dark menu.
constexpr int DarkStripLeftLightness = 56;
constexpr int DarkStripRightLightness = 32;
// The selection's lighter half at most this light: a saturated highlight there still sits
// behind light captions; lighter accent colours are taken darker until captions read.
constexpr int DarkSelectionTopLightness = 96;

Rgb Negative(Rgb colour) {
    return {static_cast<std::uint8_t>(255 - colour.red),
            static_cast<std::uint8_t>(255 - colour.green),
            static_cast<std::uint8_t>(255 - colour.blue)};
}

Rgb WithLightness(Rgb colour, int lightness) {
    Hls hls = RgbToHls(colour);
    hls.lightness = std::clamp(lightness, 0, HlsMax);
    return HlsToRgb(hls);
}

// The lightest selection top, with the highlight's hue, on which light captions read.
int DarkSelectionTop(Rgb highlight) {
    Hls top = RgbToHls(highlight);
    top.lightness = DarkSelectionTopLightness;
    return ReadableBackground(top, DarkCaption).lightness;
}

void SetDarkSelection(MenuColours& colours, Rgb highlight) {
    // The light look's steps between the selection's halves and the check box's dark end.
    const int top = DarkSelectionTop(highlight);
    colours.selectionLightColor = WithLightness(highlight, top);
    colours.selectionDarkColor = WithLightness(highlight, top - 40);
    colours.checkLightColor = colours.selectionLightColor;
    colours.checkDarkColor = WithLightness(highlight, top - 50);
}

// The light look's frame and separator rules, applied to the negative of the face and turned
// back: lines lie as far towards white on the dark menu as they lie towards black on a
// light one, and disabled captions read alike (3.9:1) in both.
void SetDarkLines(MenuColours& colours) {
    const MenuColours negative = DeriveMenuColours(Negative(DarkFace), {});
    colours.frameColor = Negative(negative.frameColor);
    colours.separatorColor = Negative(negative.separatorColor);
    colours.disabledTextColor = colours.separatorColor;
}

Rgb Colour(ThemeApi& theme, SystemColour which) {
    return FromColorRef(theme.Colour(which));
}

HighContrastColours CurrentHighContrastColours(ThemeApi& theme) {
    return {Colour(theme, SystemColour::Menu), Colour(theme, SystemColour::MenuText),
            Colour(theme, SystemColour::Highlight), Colour(theme, SystemColour::HighlightText),
            Colour(theme, SystemColour::GrayText)};
}

MenuColours ColoursOfLook(ThemeApi& theme, MenuLook look) {
    switch (look) {
    case MenuLook::HighContrast:
        return HighContrastMenuColours(CurrentHighContrastColours(theme));
    case MenuLook::Dark:
        return DarkMenuColours(Colour(theme, SystemColour::Highlight));
    case MenuLook::Derived:
        break;
    }
    return DeriveMenuColours(Colour(theme, SystemColour::ButtonFace),
                             Colour(theme, SystemColour::Highlight),
                             Colour(theme, SystemColour::WindowText));
}
} // namespace

MenuColours DarkMenuColours(Rgb highlight) {
    MenuColours colours;
    colours.menuBackgroundColor = DarkFace;
    colours.stripLeftColor = WithLightness(DarkFace, DarkStripLeftLightness);
    colours.stripRightColor = WithLightness(DarkFace, DarkStripRightLightness);
    SetDarkSelection(colours, highlight);
    SetDarkLines(colours);
    colours.captionColor = DarkCaption;
    colours.selectedCaptionColor = DarkCaption;
    // Full lightness, as in Windows' own dark menus: the dimming of dark classic faces took
    // from the pictures' dark parts what still set them apart from the dark strip.
    colours.iconLightnessPercent = 100;
    return colours;
}

MenuColours HighContrastMenuColours(const HighContrastColours& system) {
    MenuColours colours;
    colours.menuBackgroundColor = colours.stripLeftColor = colours.stripRightColor = system.menu;
    colours.selectionLightColor = colours.selectionDarkColor = system.highlight;
    // The check box is marked by its frame alone: a fill of the menu colour.
    colours.checkLightColor = colours.checkDarkColor = system.menu;
    colours.frameColor = colours.separatorColor = system.menuText;
    colours.disabledTextColor = system.grayText;
    colours.captionColor = system.menuText;
    colours.selectedCaptionColor = system.highlightText;
    colours.iconLightnessPercent = 100;
    return colours;
}

MenuLook CurrentMenuLook(ThemeApi& theme) {
    // A high-contrast theme overrides dark mode, as it does in Windows' own menus.
    if (theme.HighContrast())
        return MenuLook::HighContrast;
    return theme.AppsUseLightTheme() == 0u ? MenuLook::Dark : MenuLook::Derived;
}

MenuColours CurrentMenuColours(ThemeApi& theme) {
    return ColoursOfLook(theme, CurrentMenuLook(theme));
}

const MenuColours& MenuTheme::Colours() {
    if (!colours_)
        Derive();
    return *colours_;
}

MenuLook MenuTheme::Look() {
    if (!colours_)
        Derive();
    return look_;
}

void MenuTheme::MenuOpening() {
    if (stale_ || !colours_)
        Derive();
}

void MenuTheme::Derive() {
    look_ = CurrentMenuLook(theme_);
    colours_ = ColoursOfLook(theme_, look_);
    stale_ = false;
}

} // namespace vantrel
