// Catches a broken render of the artwork: lost transparency, premultiplied or swapped colour
// bytes, or pictures stored top-down; at every size, as the program unpacks them.
#include "render/PictureData.h"

#include "render/Inflate.h"
#include "render/PictureBlob.h"

#include "render/ItemPainter.h"
#include "render/MenuTheme.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <cstddef>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace vantrel {
namespace {

struct Picture {
    std::string name;
    const std::uint8_t* pixels;
    int side;
};

// The committed pictures of every size, as the exe carries them.
const std::vector<std::uint8_t>& BlobBytes() {
    static const std::vector<std::uint8_t> bytes = [] {
        std::ifstream file(VANTREL_SOURCE_DIR "/art/rendered/pictures.bin", std::ios::binary);
        return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file), {});
    }();
    return bytes;
}

const std::vector<PictureSet>& UnpackedSets() {
    static const std::vector<PictureSet> sets = [] {
        std::vector<PictureSet> all;
        const auto blob = PictureBlob::Open(BlobBytes().data(), BlobBytes().size());
        for (const int side : blob ? blob->Sides(PictureSetKind::Menu) : std::vector<int>())
            if (auto set = blob->Unpack(PictureSetKind::Menu, side))
                all.push_back(std::move(*set));
        return all;
    }();
    return sets;
}

std::vector<Picture> AllPictures() {
    std::vector<Picture> pictures;
    for (int i = 0; i < MenuPictureCount; ++i) {
        pictures.push_back({"menu index " + std::to_string(2 * i), MenuPictures[i], PictureSide});
    }
    pictures.push_back({"OK glyph", OkGlyph, PictureSide});
    pictures.push_back({"Cancel glyph", CancelGlyph, PictureSide});
    for (const PictureSet& set : UnpackedSets())
        for (int i = 0; i < set.count; ++i)
            pictures.push_back({"picture " + std::to_string(i) + " at " + std::to_string(set.side),
                                set.Picture(i), set.side});
    return pictures;
}

// Every menu picture and glyph at every larger size that 125% to 300% scaling needs.
TEST(PictureDataTest, ThePackedPicturesHoldEveryLargerSize) {
    const auto blob = PictureBlob::Open(BlobBytes().data(), BlobBytes().size());
    ASSERT_TRUE(blob.has_value());
    EXPECT_EQ(blob->Sides(PictureSetKind::Menu), (std::vector<int>{20, 24, 28, 32, 40, 48}));
    ASSERT_EQ(UnpackedSets().size(), 6u);
    for (const PictureSet& set : UnpackedSets())
        EXPECT_EQ(set.count, MenuPictureCount + 2) << set.side;
}

// The packing's three kinds of block (the pictures themselves use the third, with codes of
// their own), and streams that end early or unpack to another size.
TEST(PictureDataTest, InflateReadsEveryKindOfBlockAndRefusesDamage) {
    const std::vector<std::uint8_t> stored{0x01, 0x06, 0x00, 0xf9, 0xff, 's', 't', 'o', 'r', 'e', 'd'};
    const std::vector<std::uint8_t> fixed{0xcb, 0x48, 0xcd, 0xc9, 0xc9, 0x57, 0xc8, 0x40, 0x27, 0x01};
    const std::string hello = "hello hello hello hello"; // its last 17 bytes copy earlier ones
    auto text = [](const std::optional<std::vector<std::uint8_t>>& bytes) {
        return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<refused>");
    };
    EXPECT_EQ(text(Inflate(stored.data(), stored.size(), 6)), "stored");
    EXPECT_EQ(text(Inflate(fixed.data(), fixed.size(), hello.size())), hello);
    EXPECT_EQ(text(Inflate(fixed.data(), fixed.size(), hello.size() - 1)), "<refused>");
    EXPECT_EQ(text(Inflate(fixed.data(), fixed.size(), hello.size() + 1)), "<refused>");
    EXPECT_EQ(text(Inflate(fixed.data(), 5, hello.size())), "<refused>");
    std::vector<std::uint8_t> badLength = stored;
    badLength[3] = 0xfa; // the length's complement no longer matches
    EXPECT_EQ(text(Inflate(badLength.data(), badLength.size(), 6)), "<refused>");
    EXPECT_EQ(text(Inflate(nullptr, 0, 0)), "<refused>");
}

// Damaged packing (cut short, a run past the end, a table pointing outside) gives nothing,
// and never a read or write outside the bytes (the sanitizers watch).
TEST(PictureDataTest, DamagedPackedPicturesAreRefused) {
    std::vector<std::uint8_t> bytes = BlobBytes();
    ASSERT_GT(bytes.size(), 400u);
    EXPECT_FALSE(PictureBlob::Open(bytes.data(), 11).has_value());
    std::vector<std::uint8_t> cut(bytes.begin(), bytes.end() - 1);
    const auto shortBlob = PictureBlob::Open(cut.data(), cut.size());
    EXPECT_TRUE(!shortBlob || !shortBlob->Unpack(PictureSetKind::Menu, 48));
    std::vector<std::uint8_t> flipped = bytes;
    const std::uint32_t firstSet = flipped[12 + 12] | flipped[12 + 13] << 8;
    flipped[firstSet] ^= 0x7F; // the first block's header and codes are no longer what they were
    const auto blob = PictureBlob::Open(flipped.data(), flipped.size());
    ASSERT_TRUE(blob.has_value());
    EXPECT_FALSE(blob->Unpack(PictureSetKind::Menu, 20).has_value());
    flipped[12 + 12] = 0xFF; // the table points past the end
    flipped[12 + 15] = 0x7F;
    EXPECT_FALSE(PictureBlob::Open(flipped.data(), flipped.size()).has_value());
}

TEST(PictureDataTest, ASizeBetweenTwoDrawnSizesTakesTheSmallerOne) {
    const std::vector<int> sides{16, 20, 24, 28, 32, 40, 48};
    const std::pair<int, int> cases[] = {{16, 16}, {20, 20}, {22, 20}, {36, 32},
                                         {48, 48}, {64, 48}, {12, 16}};
    for (const auto& [slot, side] : cases)
        EXPECT_EQ(ChosenSide(slot, sides), side) << slot;
    EXPECT_EQ(ChosenSide(20, {}), 0);
}

TEST(PictureDataTest, ResamplingKeepsColourAndCoverageAndNeverBleedsTransparency) {
    // 4 x 4: a red column of two pixels on the left, transparent (all zero) on the right.
    std::vector<std::uint8_t> pixels(4 * 4 * 4, 0);
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 2; ++column)
            pixels[(row * 4 + column) * 4 + 2] = pixels[(row * 4 + column) * 4 + 3] = 255;
    const auto half = Resampled(pixels.data(), 4, 2);
    EXPECT_EQ(std::vector<std::uint8_t>(half.begin(), half.begin() + 8),
              (std::vector<std::uint8_t>{0, 0, 255, 255, 0, 0, 0, 0}));
    const auto three = Resampled(pixels.data(), 4, 3);
    // The middle column is half covered: still pure red, at half alpha.
    EXPECT_EQ(std::vector<std::uint8_t>(three.begin() + 4, three.begin() + 8),
              (std::vector<std::uint8_t>{0, 0, 255, 128}));
    EXPECT_EQ(Resampled(pixels.data(), 4, 4), pixels);
    EXPECT_EQ(Resampled(pixels.data(), 4, 6).size(), 6u * 6 * 4);
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
