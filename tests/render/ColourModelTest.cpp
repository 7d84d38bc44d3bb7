#include "render/ColourModel.h"

#include "render/ColourPrinting.h"

#include <gtest/gtest.h>

#include <iterator>
#include <vector>

namespace vantrel {

namespace {

const Rgb ClassicFace{240, 240, 240};
const Rgb ClassicHighlight{51, 153, 255};

TEST(ColourModelTest, ColorRefKeepsRedInTheLowestByte) {
    const Rgb colour = FromColorRef(0x00FEEDFA);
    EXPECT_EQ(colour, (Rgb{0xFA, 0xED, 0xFE}));
    EXPECT_EQ(ToColorRef(colour), 0x00FEEDFAu);
    EXPECT_EQ(ToColorRef(Rgb{1, 2, 3}), 0x00030201u);
}

TEST(ColourModelTest, RgbToHls) {
    struct Case {
        Rgb rgb;
        Hls hls;
    };
    const Case cases[] = {
        {{240, 240, 240}, {160, 226, 0}},
        {{51, 153, 255}, {140, 144, 240}},
        {{0, 0, 0}, {160, 0, 0}},
        {{255, 255, 255}, {160, 240, 0}},
        {{255, 0, 0}, {0, 120, 240}},
        {{0, 255, 0}, {80, 120, 240}},
        {{0, 0, 255}, {160, 120, 240}},
        // Swapping red and blue must move the hue: catches byte-order mix-ups.
        {{255, 128, 0}, {20, 120, 240}},
        {{0, 128, 255}, {140, 120, 240}},
        // Red is largest but blue beats green: the hue wraps below zero to 220.
        {{255, 0, 128}, {220, 120, 240}},
        {{200, 100, 50}, {13, 118, 144}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RgbToHls(c.rgb), c.hls) << c.rgb;
}

TEST(ColourModelTest, HlsToRgb) {
    struct Case {
        Hls hls;
        Rgb rgb;
    };
    const Case cases[] = {
        {{160, 120, 0}, {127, 127, 127}}, // grey: l x 255 / 240
        {{0, 240, 0}, {255, 255, 255}},
        {{0, 120, 240}, {255, 1, 0}}, // the +20 rounding term leaves green at 1
        {{13, 59, 144}, {100, 50, 26}},
        {{140, 212, 240}, {196, 226, 255}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HlsToRgb(c.hls), c.rgb) << c.hls;
}

TEST(ColourModelTest, HueToRgbWrapsAndFollowsTheFourSegments) {
    EXPECT_FLOAT_EQ(HueToRgb(10, 90, -10), HueToRgb(10, 90, 230));
    EXPECT_FLOAT_EQ(HueToRgb(10, 90, 250), HueToRgb(10, 90, 10));
    EXPECT_FLOAT_EQ(HueToRgb(10, 90, 0), 10.5f);
    EXPECT_FLOAT_EQ(HueToRgb(10, 90, 20), 10 + (80 * 20 + 20) * 0.025f);
    EXPECT_FLOAT_EQ(HueToRgb(10, 90, 40), 90);
    EXPECT_FLOAT_EQ(HueToRgb(10, 90, 119), 90);
    EXPECT_FLOAT_EQ(HueToRgb(10, 90, 140), 10 + (80 * 20 + 20) * 0.025f);
    EXPECT_FLOAT_EQ(HueToRgb(10, 90, 160), 10);
    EXPECT_FLOAT_EQ(HueToRgb(10, 90, 240), 10);
}

TEST(ColourModelTest, AdjustLightness) {
    struct Case {
        Rgb in;
        int percent;
        Rgb out;
    };
    const Case cases[] = {
        {{1, 2, 3}, 100, {1, 2, 3}},             // untouched, not even a round trip
        {{255, 255, 255}, 90, {255, 255, 255}},  // white keeps its lightness
        {{200, 200, 200}, 110, {218, 218, 218}}, // L 188 -> 206
        {{250, 250, 250}, 110, {255, 255, 255}}, // capped at L 240
        {{200, 100, 50}, 50, {100, 50, 26}},     // hue and saturation kept
    };
    for (const Case& c : cases)
        EXPECT_EQ(AdjustLightness(c.in, c.percent), c.out) << c.in << " " << c.percent;
}

TEST(ColourModelTest, GreyOfIsTheMiddleOfLargestAndSmallest) {
    EXPECT_EQ(GreyOf({10, 200, 90}), 105);
    EXPECT_EQ(GreyOf({255, 0, 1}), 127);
    EXPECT_EQ(GreyOf({7, 7, 7}), 7);
}

TEST(ColourModelTest, ClassicSchemeGivesTheKnownMenuColours) {
    const MenuColours c = DeriveMenuColours(ClassicFace, ClassicHighlight);
    EXPECT_EQ(c.menuBackgroundColor, (Rgb{249, 249, 249}));
    EXPECT_EQ(c.stripLeftColor, (Rgb{255, 255, 255}));
    EXPECT_EQ(c.stripRightColor, (Rgb{227, 227, 227}));
    EXPECT_EQ(c.frameColor, (Rgb{120, 120, 120}));
    EXPECT_EQ(c.separatorColor, (Rgb{125, 125, 125}));
    EXPECT_EQ(c.disabledTextColor, (Rgb{125, 125, 125}));
    EXPECT_EQ(c.selectionLightColor, (Rgb{196, 226, 255}));
    EXPECT_EQ(c.selectionDarkColor, (Rgb{111, 183, 255}));
    EXPECT_EQ(c.checkLightColor, (Rgb{196, 226, 255}));
    EXPECT_EQ(c.checkDarkColor, (Rgb{89, 173, 255}));
    EXPECT_EQ(c.iconLightnessPercent, 100);
}

TEST(ColourModelTest, FrameAndSeparatorWorkPerChannel) {
    const MenuColours c = DeriveMenuColours({200, 100, 51}, ClassicHighlight);
    EXPECT_EQ(c.frameColor, (Rgb{100, 50, 25}));
    EXPECT_EQ(c.separatorColor, (Rgb{118, 101, 93}));
    EXPECT_EQ(c.disabledTextColor, c.separatorColor);
}

TEST(ColourModelTest, DarkFacesDarkenPictures) {
    struct Case {
        Rgb face;
        int lightness;
        int percent;
    };
    const Case cases[] = {
        {{42, 42, 42}, 40, 90},      {{0, 0, 0}, 0, 85},         {{127, 127, 127}, 120, 100},
        {{126, 126, 126}, 119, 100}, {{119, 119, 119}, 112, 99}, {{240, 240, 240}, 226, 100},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(RgbToHls(c.face).lightness, c.lightness) << c.face;
        EXPECT_EQ(DeriveMenuColours(c.face, ClassicHighlight).iconLightnessPercent, c.percent)
            << c.face;
    }
}

TEST(ColourModelTest, SelectionFollowsTheHighlightHue) {
    // A red highlight must give reddish selection colours, never bluish ones.
    const MenuColours c = DeriveMenuColours(ClassicFace, {200, 30, 10});
    EXPECT_GT(c.selectionDarkColor.red, c.selectionDarkColor.blue);
    EXPECT_GT(c.selectionLightColor.red, c.selectionLightColor.blue);
    EXPECT_GT(c.checkDarkColor.red, c.checkDarkColor.blue);
}

TEST(ColourModelTest, ContrastRatioFollowsRelativeLuminance) {
    EXPECT_DOUBLE_EQ(ContrastRatio({0, 0, 0}, {255, 255, 255}), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio({200, 20, 10}, {200, 20, 10}), 1.0);
    EXPECT_DOUBLE_EQ(ContrastRatio({255, 255, 255}, {0, 0, 0}), 21.0);
    // The well-known edge of readable grey on white: #767676 passes, #777777 does not.
    EXPECT_GE(ContrastRatio({118, 118, 118}, {255, 255, 255}), MinimumCaptionContrast);
    EXPECT_LT(ContrastRatio({119, 119, 119}, {255, 255, 255}), MinimumCaptionContrast);
    // Green weighs most, blue least: swapped channels would change these.
    EXPECT_NEAR(ContrastRatio({0, 255, 0}, {0, 0, 0}), 15.3, 0.05);
    EXPECT_NEAR(ContrastRatio({0, 0, 255}, {0, 0, 0}), 2.44, 0.01);
}

TEST(ColourModelTest, ReadableBackgroundMovesAwayFromTheTextFromEitherEnd) {
    const Rgb black{0, 0, 0}, white{255, 255, 255};
    EXPECT_EQ(ReadableBackground({140, 200, 240}, black), (Hls{140, 200, 240})); // reads already
    const Hls behindBlack = ReadableBackground({160, 0, 0}, black);
    EXPECT_GE(ContrastRatio(black, HlsToRgb(behindBlack)), MinimumCaptionContrast);
    EXPECT_EQ(behindBlack.hue, 160);
    const Hls behindWhite = ReadableBackground({40, 240, 240}, white);
    EXPECT_GE(ContrastRatio(white, HlsToRgb(behindWhite)), MinimumCaptionContrast);
    EXPECT_EQ(behindWhite.saturation, 240);
}

struct Scheme {
    Rgb face;
    Rgb highlight;
    Rgb text;
};

// Every grey face with black and with white text under the usual highlights, the colours of
// Windows' high-contrast schemes as a plain scheme (the way Wine reports them), strong hues,
// and the old classic schemes.
std::vector<Scheme> SchemeSweep() {
    const Rgb black{0, 0, 0}, white{255, 255, 255};
    std::vector<Scheme> schemes;
    for (const Rgb highlight : {ClassicHighlight, Rgb{0, 120, 215}, Rgb{0, 0, 128}})
        for (int grey = 0; grey <= 255; ++grey)
            for (const Rgb text : {black, white}) {
                const auto g = static_cast<std::uint8_t>(grey);
                schemes.push_back({{g, g, g}, highlight, text});
            }
    const Scheme fixed[] = {
        {black, {26, 235, 255}, white},          // High Contrast Black
        {white, {55, 0, 110}, black},            // High Contrast White
        {black, {128, 0, 128}, {255, 255, 0}},   // High Contrast #1
        {black, {0, 0, 255}, {0, 255, 0}},       // High Contrast #2
        {{212, 208, 200}, {10, 36, 106}, black}, // Windows Classic
        {{192, 192, 192}, {0, 0, 128}, black},   // Windows Standard
        {{255, 0, 0}, {0, 0, 255}, white},
        {{0, 0, 255}, {255, 0, 0}, white},
        {{0, 255, 0}, {255, 0, 255}, black},
        {{255, 255, 0}, {0, 0, 0}, white},
        {{0, 0, 128}, {255, 255, 0}, white},
        {{128, 0, 64}, {0, 128, 128}, {255, 200, 200}},
    };
    schemes.insert(schemes.end(), std::begin(fixed), std::end(fixed));
    return schemes;
}

TEST(ColourModelTest, EveryCaptionReadsAndSchemesThatReadKeepTheirLook) {
    for (const Scheme& s : SchemeSweep()) {
        const MenuColours before = DeriveMenuColours(s.face, s.highlight);
        const MenuColours c = DeriveMenuColours(s.face, s.highlight, s.text);
        const auto where = ::testing::Message() << "face " << s.face << " highlight " << s.highlight
                                                << " text " << s.text;
        EXPECT_GE(ContrastRatio(c.captionColor, c.menuBackgroundColor), MinimumCaptionContrast)
            << where;
        for (const Rgb selection : {c.selectionLightColor, c.selectionDarkColor})
            EXPECT_GE(ContrastRatio(c.selectedCaptionColor, selection), MinimumCaptionContrast)
                << where;
        const bool readBefore =
            ContrastRatio(s.text, before.menuBackgroundColor) >= MinimumCaptionContrast &&
            ContrastRatio(s.text, before.selectionLightColor) >= MinimumCaptionContrast &&
            ContrastRatio(s.text, before.selectionDarkColor) >= MinimumCaptionContrast;
        if (readBefore) {
            EXPECT_EQ(c.captionColor, s.text) << where;
            EXPECT_EQ(c.selectionDarkColor, before.selectionDarkColor) << where;
            EXPECT_EQ(c.selectionLightColor, before.selectionLightColor) << where;
        }
        if (c.captionColor != s.text) {
            EXPECT_TRUE(c.captionColor == (Rgb{0, 0, 0}) || c.captionColor == (Rgb{255, 255, 255}))
                << where;
        }
        // Only the captions and the selection behind them may change.
        EXPECT_EQ(c.menuBackgroundColor, before.menuBackgroundColor) << where;
        EXPECT_EQ(c.checkDarkColor, before.checkDarkColor) << where;
    }
}

TEST(ColourModelTest, DivideSmallIsExactAroundEveryMultiple) {
    // Errors of a reciprocal division show first just below a multiple of the divisor.
    for (int divisor = 1; divisor <= 510; ++divisor) {
        for (int multiple = divisor; multiple < (1 << 17); multiple += divisor) {
            ASSERT_EQ(DivideSmall(multiple - 1, divisor), (multiple - 1) / divisor) << divisor;
            ASSERT_EQ(DivideSmall(multiple, divisor), multiple / divisor) << divisor;
        }
        ASSERT_EQ(DivideSmall(0, divisor), 0);
    }
}

} // namespace
} // namespace vantrel
