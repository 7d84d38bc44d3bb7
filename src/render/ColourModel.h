#pragma once
// The menu's colours follow the user's colour scheme: every colour is derived from the
// button-face and selection colours through a hue/lightness/saturation model in which hue,
// lightness and saturation each run from 0 to 240 (the scale of the Windows colour dialog).
// Integer divisions truncate and the floating-point parts are single precision, so that
// the results match the Windows program pixel for pixel.

#include <cstdint>

namespace vantrel {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    // Rounds the struct up to one 32-bit register: as three bytes, the compiler assembled
    // and split it through memory around every call, which stalled the per-pixel work.
    std::uint8_t unused = 0;

    friend bool operator==(const Rgb& a, const Rgb& b) {
        return a.red == b.red && a.green == b.green && a.blue == b.blue;
    }
    friend bool operator!=(const Rgb& a, const Rgb& b) { return !(a == b); }
};

struct Hls {
    int hue = 0;
    int lightness = 0;
    int saturation = 0;

    friend bool operator==(const Hls& a, const Hls& b) {
        return a.hue == b.hue && a.lightness == b.lightness && a.saturation == b.saturation;
    }
};

constexpr int HlsMax = 240;

// A Windows COLORREF keeps red in the lowest byte: 0x00BBGGRR.
Rgb FromColorRef(std::uint32_t colorRef);
std::uint32_t ToColorRef(Rgb colour);

// dividend / divisor for 0 <= dividend < 2^17 and 1 <= divisor <= 510, without a division.
int DivideSmall(int dividend, int divisor);

Hls RgbToHls(Rgb colour);
float HueToRgb(float p, float q, float hue);
Rgb HlsToRgb(Hls colour);
// Scales the lightness by percent (capped at full lightness); pure white keeps its lightness.
Rgb AdjustLightness(Rgb colour, int percent);
// The grey a disabled item's picture is shown in.
std::uint8_t GreyOf(Rgb colour);

// The contrast ratio of two colours as the Web Content Accessibility Guidelines define it,
// from their relative luminance: 1 for the same colour, 21 for black on white.
double ContrastRatio(Rgb a, Rgb b);

// What normal text needs to be readable (the guidelines' level AA).
constexpr double MinimumCaptionContrast = 4.5;

// The preferred text colour when it reads on the background, else black or white, whichever
// reads better.
Rgb ReadableTextColour(Rgb preferred, Rgb background);

// The background with its lightness moved, when text does not read on it, until it does:
// lighter behind dark text, darker behind light text. Hue and saturation stay.
Hls ReadableBackground(Hls background, Rgb text);

// Every colour of one menu paint.
struct MenuColours {
    Rgb menuBackgroundColor;
    Rgb stripLeftColor;
    Rgb stripRightColor;
    Rgb selectionLightColor;
    Rgb selectionDarkColor;
    Rgb checkLightColor;
    Rgb checkDarkColor;
    Rgb frameColor;
    Rgb separatorColor;
    Rgb disabledTextColor;
    Rgb captionColor;         // enabled items
    Rgb selectedCaptionColor; // enabled items on the selection
    // Pictures are darkened on a dark button face so they do not glare.
    int iconLightnessPercent = 100;
};

// The look derived from the user's scheme. Captions keep the window-text colour unless it is
// unreadable on the background, as light text is on a dark button face, whose derived
// background stays light; the selection is taken lighter or darker where captions would not
// read on it.
MenuColours DeriveMenuColours(Rgb buttonFace, Rgb highlight, Rgb windowText = {0, 0, 0});

} // namespace vantrel
