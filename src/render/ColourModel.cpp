#include "render/ColourModel.h"

#include <algorithm>

namespace vantrel {

namespace {
constexpr int RgbMax = 255;

int ClampTo(int value, int high) {
    return std::clamp(value, 0, high);
}

std::uint8_t ToChannel(int value) {
    return static_cast<std::uint8_t>(ClampTo(value, RgbMax));
}

int Saturation(int max, int min, int lightness) {
    if (lightness <= HlsMax / 2)
        return ((max - min) * HlsMax + (max + min) / 2) / (max + min);
    const int rest = 2 * RgbMax - max - min;
    return ((max - min) * HlsMax + rest / 2) / rest;
}

// Distance of one channel from the largest, in sixths of the hue circle.
int HueDelta(int max, int channel, int range) {
    return ((max - channel) * (HlsMax / 6) + range / 2) / range;
}

int Hue(int r, int g, int b, int max, int min) {
    const int range = max - min;
    const int redDelta = HueDelta(max, r, range);
    const int greenDelta = HueDelta(max, g, range);
    const int blueDelta = HueDelta(max, b, range);
    int hue;
    if (r == max)
        hue = blueDelta - greenDelta;
    else if (g == max)
        hue = HlsMax / 3 + redDelta - blueDelta;
    else
        hue = 2 * HlsMax / 3 + greenDelta - redDelta;
    if (hue < 0)
        hue += HlsMax;
    if (hue > HlsMax)
        hue -= HlsMax;
    return hue;
}

std::uint8_t ChannelOfHue(float p, float q, int hue) {
    const float value = (HueToRgb(p, q, static_cast<float>(hue)) * 255.0f + 120.0f) / 240.0f;
    return ToChannel(static_cast<int>(value));
}

Rgb HlsToRgbLightness(const Hls& base, int lightness) {
    return HlsToRgb({base.hue, lightness, base.saturation});
}
} // namespace

Rgb FromColorRef(std::uint32_t colorRef) {
    return {static_cast<std::uint8_t>(colorRef & 0xFF),
            static_cast<std::uint8_t>((colorRef >> 8) & 0xFF),
            static_cast<std::uint8_t>((colorRef >> 16) & 0xFF)};
}

std::uint32_t ToColorRef(Rgb colour) {
    return static_cast<std::uint32_t>(colour.red) | static_cast<std::uint32_t>(colour.green) << 8 |
           static_cast<std::uint32_t>(colour.blue) << 16;
}

Hls RgbToHls(Rgb colour) {
    const int r = colour.red, g = colour.green, b = colour.blue;
    const int max = std::max({r, g, b});
    const int min = std::min({r, g, b});
    const int lightness = ((max + min) * HlsMax + RgbMax) / (2 * RgbMax);
    if (max == min)
        return {2 * HlsMax / 3, ClampTo(lightness, HlsMax), 0};
    const int saturation = Saturation(max, min, lightness);
    return {Hue(r, g, b, max, min), ClampTo(lightness, HlsMax), ClampTo(saturation, HlsMax)};
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

Rgb HlsToRgb(Hls colour) {
    const int l = colour.lightness, s = colour.saturation, h = colour.hue;
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

Rgb AdjustLightness(Rgb colour, int percent) {
    if (percent == 100)
        return colour;
    Hls hls = RgbToHls(colour);
    if (colour != Rgb{255, 255, 255})
        hls.lightness = std::min(HlsMax, hls.lightness * percent / 100);
    return HlsToRgb(hls);
}

std::uint8_t GreyOf(Rgb colour) {
    const int max = std::max({colour.red, colour.green, colour.blue});
    const int min = std::min({colour.red, colour.green, colour.blue});
    return static_cast<std::uint8_t>((max + min) / 2);
}

MenuColours DeriveMenuColours(Rgb buttonFace, Rgb highlight) {
    const Hls face = RgbToHls(buttonFace);
    const Hls selection = RgbToHls(highlight);
    const int lb = face.lightness;
    const int shared = (selection.lightness + lb) / 4;

    MenuColours colours;
    colours.menuBackgroundColor = HlsToRgbLightness(face, (lb + 480) / 3);
    colours.stripLeftColor = HlsToRgbLightness(face, std::min(HlsMax, (3 * lb + 480) / 5 + 30));
    colours.stripRightColor = HlsToRgbLightness(face, lb * 19 / 20);
    colours.selectionLightColor = HlsToRgbLightness(selection, shared + 120);
    colours.selectionDarkColor = HlsToRgbLightness(selection, shared + 80);
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
