// Catches a broken render of the artwork: lost transparency, premultiplied or swapped colour
// bytes, or pictures stored top-down.
#include "render/PictureData.h"

#include "render/ItemPainter.h"
#include "render/MenuTheme.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

namespace vantrel {
namespace {

struct Picture {
    std::string name;
    const std::uint8_t* pixels;
    int side;
};

std::vector<Picture> AllPictures() {
    std::vector<Picture> pictures;
    for (int i = 0; i < MenuPictureCount; ++i) {
        pictures.push_back({"menu index " + std::to_string(2 * i), MenuPictures[i], PictureSide});
    }
    pictures.push_back({"OK glyph", OkGlyph, PictureSide});
    pictures.push_back({"Cancel glyph", CancelGlyph, PictureSide});
    pictures.push_back({"About picture", AboutPicture, AboutPictureSide});
    return pictures;
}

std::uint8_t Byte(const Picture& picture, int row, int column, int channel) {
    return picture.pixels[(static_cast<std::size_t>(row) * static_cast<std::size_t>(picture.side) +
                           static_cast<std::size_t>(column)) * 4 + static_cast<std::size_t>(channel)];
}

constexpr int Blue = 0, Green = 1, Red = 2, Alpha = 3;

TEST(PictureDataTest, EveryPictureHasOpaqueShapeOnTransparentGround) {
    for (const Picture& picture : AllPictures()) {
        int opaque = 0, clear = 0;
        for (int row = 0; row < picture.side; ++row) {
            for (int column = 0; column < picture.side; ++column) {
                const std::uint8_t alpha = Byte(picture, row, column, Alpha);
                opaque += alpha == 255 ? 1 : 0;
                clear += alpha == 0 ? 1 : 0;
            }
        }
        EXPECT_GT(opaque, 0) << picture.name;
        EXPECT_GT(clear, 0) << picture.name;
    }
}

TEST(PictureDataTest, AlphaIsStraightNotPremultiplied) {
    // Premultiplied pixels never have a colour byte above their alpha; soft edges in straight
    // alpha do.
    bool colourAboveAlpha = false;
    for (const Picture& picture : AllPictures()) {
        for (int row = 0; row < picture.side; ++row) {
            for (int column = 0; column < picture.side; ++column) {
                const std::uint8_t alpha = Byte(picture, row, column, Alpha);
                for (int channel : {Blue, Green, Red}) {
                    colourAboveAlpha |= alpha > 0 && Byte(picture, row, column, channel) > alpha;
                }
            }
        }
    }
    EXPECT_TRUE(colourAboveAlpha);
}

long ChannelSum(const Picture& picture, int channel) {
    long sum = 0;
    for (int row = 0; row < picture.side; ++row) {
        for (int column = 0; column < picture.side; ++column) {
            sum += Byte(picture, row, column, channel) * Byte(picture, row, column, Alpha) / 255;
        }
    }
    return sum;
}

TEST(PictureDataTest, ColoursAreStoredBlueGreenRed) {
    struct Case { int index; int strongest; int weaker; };
    const Case cases[] = {
        {20, Red, Blue},    // red cross
        {8, Blue, Red},     // blue disc with a white i
        {18, Green, Red},   // green plus
        {18, Green, Blue},
    };
    for (const Case& c : cases) {
        const Picture picture{"menu index " + std::to_string(c.index), MenuPictures[c.index / 2],
                              PictureSide};
        EXPECT_GT(ChannelSum(picture, c.strongest), ChannelSum(picture, c.weaker)) << picture.name;
    }
}

int DrawnWidth(const std::uint8_t* pixels, int row) {
    int width = 0;
    for (int column = 0; column < PictureSide; ++column) {
        width += pixels[(row * PictureSide + column) * 4 + Alpha] > 0 ? 1 : 0;
    }
    return width;
}

TEST(PictureDataTest, RowsAreStoredBottomUp) {
    // Both arrows fill the whole height: the point is narrower than the end of the shaft, and
    // the up arrow's point is on screen at the top, which bottom-up storage keeps last.
    const int top = PictureSide - 1, bottom = 0;
    const std::uint8_t* up = MenuPictures[34 / 2];
    const std::uint8_t* down = MenuPictures[36 / 2];
    EXPECT_LT(DrawnWidth(up, top), DrawnWidth(up, bottom));
    EXPECT_LT(DrawnWidth(down, bottom), DrawnWidth(down, top));
}

// The share of a picture's opaque pixels whose colour, painted on the strip, lies far enough
// from the strip's to be told apart from it.
double ShareStandingApart(int index, const MenuColours& colours, const PictureList& pictures) {
    MenuItemLook look;
    look.pictures = &pictures;
    look.imageIndex = 2 * index;
    ItemPixels with(40, 24), without(40, 24);
    PaintItemPixels(look, false, colours, with);
    PaintItemPixels({}, false, colours, without);
    const int bottom = 4, left = 5; // where a 24-pixel item shows its picture
    int opaque = 0, apart = 0;
    for (int row = 0; row < PictureSide; ++row) {
        for (int column = 0; column < PictureSide; ++column) {
            if (MenuPictures[index][(row * PictureSide + column) * 4 + Alpha] < 128)
                continue;
            const Rgb a = with.At(left + column, bottom + row);
            const Rgb b = without.At(left + column, bottom + row);
            const double distance = std::hypot(a.red - b.red, a.green - b.green, a.blue - b.blue);
            ++opaque;
            apart += distance >= 64 ? 1 : 0;
        }
    }
    return static_cast<double>(apart) / opaque;
}

TEST(PictureDataTest, NoPictureMeltsIntoTheLightOrTheDarkStrip) {
    // Half is what the palest picture (white documents with a dark edge) has on the light
    // strip; a near-black console without its light edge had a quarter on the dark one.
    const PictureList pictures = PictureList::MenuPictureList();
    const MenuColours light = DeriveMenuColours({240, 240, 240}, {51, 153, 255});
    const MenuColours dark = DarkMenuColours({0, 120, 215});
    for (int i = 0; i < MenuPictureCount; ++i) {
        EXPECT_GE(ShareStandingApart(i, light, pictures), 0.5) << "light, index " << 2 * i;
        EXPECT_GE(ShareStandingApart(i, dark, pictures), 0.5) << "dark, index " << 2 * i;
    }
}

} // namespace
} // namespace vantrel
