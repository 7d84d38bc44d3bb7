#include "render/ColourModel.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vantrel {

namespace {
constexpr int RgbMax = 255;

int ClampTo(int value, int high) {
    return std::clamp(value, 0, high);
}

std::uint8_t ToChannel(int value) {
    return static_cast<std::uint8_t>(ClampTo(value, RgbMax));
}

// Pictures are converted pixel by pixel on every paint, and hardware division dominated
// that work: the divisors here are 1..510 and the dividends below 2^17, a range in which
// multiplying by the rounded-up reciprocal 2^32 / d and dropping 32 bits gives exactly the
// truncated quotient (the error n x (m x d - 2^32) stays below 2^32).
constexpr int LargestDivisor = 2 * RgbMax;

constexpr std::array<std::uint64_t, LargestDivisor + 1> MakeReciprocals() {
    std::array<std::uint64_t, LargestDivisor + 1> reciprocals{};
    for (std::size_t d = 1; d <= LargestDivisor; ++d)
        reciprocals[d] = ((std::uint64_t{1} << 32) + d - 1) / d;
    return reciprocals;
}

constexpr std::array<std::uint64_t, LargestDivisor + 1> Reciprocals = MakeReciprocals();

int Saturation(int max, int min, int lightness) {
    const int range = max - min;
    const int sum = lightness <= HlsMax / 2 ? max + min : 2 * RgbMax - max - min;
    return DivideSmall(range * HlsMax + sum / 2, sum);
}

// Distance of one channel from the largest, in sixths of the hue circle.
int HueDelta(int max, int channel, int range) {
    return DivideSmall((max - channel) * (HlsMax / 6) + range / 2, range);
}

int Hue(int r, int g, int b, int max, int min) {
    const int range = max - min;
    const int redDelta = HueDelta(max, r, range);
    const int greenDelta = HueDelta(max, g, range);
    const int blueDelta = HueDelta(max, b, range);
    // Selections rather than branches: which channel is largest varies from pixel to pixel.
    int hue = 2 * HlsMax / 3 + greenDelta - redDelta;
    hue = g == max ? HlsMax / 3 + redDelta - blueDelta : hue;
    hue = r == max ? blueDelta - greenDelta : hue;
    hue = hue < 0 ? hue + HlsMax : hue;
    hue = hue > HlsMax ? hue - HlsMax : hue;
    return hue;
}

// HueToRgb for a whole hue, computed without branches for the same reason; the same
// single-precision operations in the same order give the same results.
float HueToRgbWhole(float p, float q, int hue) {
    hue = hue < 0 ? hue + HlsMax : hue;
    hue = hue > HlsMax ? hue - HlsMax : hue;
    const float h = static_cast<float>(hue);
    const float rising = p + ((q - p) * h + 20.0f) * 0.025f;
    const float falling = p + ((q - p) * (160.0f - h) + 20.0f) * 0.025f;
    float result = hue < 160 ? falling : p;
    result = hue < 120 ? q : result;
    return hue < 40 ? rising : result;
}

std::uint8_t ChannelOfHue(float p, float q, int hue) {
    const float value = (HueToRgbWhole(p, q, hue) * 255.0f + 120.0f) / 240.0f;
    return ToChannel(static_cast<int>(value));
}

// The conversions work on plain integers and are inlined into their callers: passing the
// small structs through memory cost more than the arithmetic when every pixel of a picture
// goes through them.
inline Hls ToHls(int r, int g, int b) {
    const int max = std::max({r, g, b});
    const int min = std::min({r, g, b});
    const int lightness = ((max + min) * HlsMax + RgbMax) / (2 * RgbMax);
    if (max == min)
        return {2 * HlsMax / 3, ClampTo(lightness, HlsMax), 0};
    const int saturation = Saturation(max, min, lightness);
    return {Hue(r, g, b, max, min), ClampTo(lightness, HlsMax), ClampTo(saturation, HlsMax)};
}

inline Rgb FromHls(int h, int l, int s) {
    if (s == 0) {
        const std::uint8_t grey = ToChannel(l * RgbMax / HlsMax);
        return {grey, grey, grey};
    }
    const int high = l <= HlsMax / 2 ? (l * (HlsMax + s) + HlsMax / 2) / HlsMax
                                     : l + s - (l * s + HlsMax / 2) / HlsMax;
    const float q = static_cast<float>(high);
    const float p = static_cast<float>(2 * l) - q;
    return {ChannelOfHue(p, q, h + HlsMax / 3), ChannelOfHue(p, q, h),
            ChannelOfHue(p, q, h - HlsMax / 3)};
}

Rgb HlsToRgbLightness(const Hls& base, int lightness) {
    return FromHls(base.hue, lightness, base.saturation);
}

double LinearChannel(std::uint8_t channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double RelativeLuminance(Rgb colour) {
    return 0.2126 * LinearChannel(colour.red) + 0.7152 * LinearChannel(colour.green) +
           0.0722 * LinearChannel(colour.blue);
}

constexpr Rgb Black{0, 0, 0};
constexpr Rgb White{255, 255, 255};

bool Readable(Rgb text, Rgb background) {
    return ContrastRatio(text, background) >= MinimumCaptionContrast;
}
} // namespace

Hls RgbToHls(Rgb colour) {
    return ToHls(colour.red, colour.green, colour.blue);
}

Rgb HlsToRgb(Hls colour) {
    return FromHls(colour.hue, colour.lightness, colour.saturation);
}

int DivideSmall(int dividend, int divisor) {
    const auto product =
        static_cast<std::uint64_t>(dividend) * Reciprocals[static_cast<std::size_t>(divisor)];
    return static_cast<int>(product >> 32);
}

Rgb FromColorRef(std::uint32_t colorRef) {
    return {static_cast<std::uint8_t>(colorRef & 0xFF),
            static_cast<std::uint8_t>((colorRef >> 8) & 0xFF),
            static_cast<std::uint8_t>((colorRef >> 16) & 0xFF)};
}

std::uint32_t ToColorRef(Rgb colour) {
    return static_cast<std::uint32_t>(colour.red) | static_cast<std::uint32_t>(colour.green) << 8 |
           static_cast<std::uint32_t>(colour.blue) << 16;
}

float HueToRgb(float p, float q, float hue) {
    if (hue < 0.0f)
        hue += 240.0f;
    if (hue > 240.0f)
        hue -= 240.0f;
    if (hue < 40.0f)
        return p + ((q - p) * hue + 20.0f) * 0.025f;
    if (hue < 120.0f)
        return q;
    if (hue < 160.0f)
        return p + ((q - p) * (160.0f - hue) + 20.0f) * 0.025f;
    return p;
}

Rgb AdjustLightness(Rgb colour, int percent) {
    if (percent == 100)
        return colour;
    const Hls hls = ToHls(colour.red, colour.green, colour.blue);
    const bool white = colour.red == 255 && colour.green == 255 && colour.blue == 255;
    const int lightness = white ? hls.lightness : std::min(HlsMax, hls.lightness * percent / 100);
    return FromHls(hls.hue, lightness, hls.saturation);
}

std::uint8_t GreyOf(Rgb colour) {
    const int max = std::max({colour.red, colour.green, colour.blue});
    const int min = std::min({colour.red, colour.green, colour.blue});
    return static_cast<std::uint8_t>((max + min) / 2);
}

double ContrastRatio(Rgb a, Rgb b) {
    const double first = RelativeLuminance(a), second = RelativeLuminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

Rgb ReadableTextColour(Rgb preferred, Rgb background) {
    if (Readable(preferred, background))
        return preferred;
    return ContrastRatio(Black, background) >= ContrastRatio(White, background) ? Black : White;
}

Hls ReadableBackground(Hls background, Rgb text) {
    const int step = ContrastRatio(text, White) >= ContrastRatio(text, Black) ? 1 : -1;
    int& lightness = background.lightness;
    lightness = ClampTo(lightness, HlsMax);
    while (!Readable(text, FromHls(background.hue, lightness, background.saturation)) &&
           lightness + step >= 0 && lightness + step <= HlsMax)
        lightness += step;
    return background;
}

MenuColours DeriveMenuColours(Rgb buttonFace, Rgb highlight, Rgb windowText) {
    const Hls face = RgbToHls(buttonFace);
    const Hls selection = RgbToHls(highlight);
    const int lb = face.lightness;
    const int shared = (selection.lightness + lb) / 4;

    MenuColours colours;
    colours.menuBackgroundColor = HlsToRgbLightness(face, (lb + 480) / 3);
    colours.stripLeftColor = HlsToRgbLightness(face, std::min(HlsMax, (3 * lb + 480) / 5 + 30));
    colours.stripRightColor = HlsToRgbLightness(face, lb * 19 / 20);
    colours.captionColor = ReadableTextColour(windowText, colours.menuBackgroundColor);
    colours.selectedCaptionColor = colours.captionColor;
    auto selectionAt = [&](int lightness) {
        return HlsToRgb(ReadableBackground({selection.hue, lightness, selection.saturation},
                                           colours.captionColor));
    };
    colours.selectionLightColor = selectionAt(shared + 120);
    colours.selectionDarkColor = selectionAt(shared + 80);
    colours.checkLightColor = HlsToRgbLightness(selection, shared + 120);
    colours.checkDarkColor = HlsToRgbLightness(selection, shared + 70);
    colours.frameColor = {static_cast<std::uint8_t>(buttonFace.red / 2),
                          static_cast<std::uint8_t>(buttonFace.green / 2),
                          static_cast<std::uint8_t>(buttonFace.blue / 2)};
    colours.separatorColor = {static_cast<std::uint8_t>((buttonFace.red + 510) / 6),
                              static_cast<std::uint8_t>((buttonFace.green + 510) / 6),
                              static_cast<std::uint8_t>((buttonFace.blue + 510) / 6)};
    colours.disabledTextColor = colours.separatorColor;
    colours.iconLightnessPercent = lb >= 120 ? 100 : 100 - (120 - lb) / 8;
    return colours;
}

} // namespace vantrel
