#include "render/PictureColours.h"

#include "render/ColourPrinting.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(PictureColourTest, StateChangesTheColour) {
    const Rgb tomato{200, 20, 10};
    EXPECT_EQ(PictureColour(tomato, {100, false, false}), tomato);
    EXPECT_EQ(PictureColour(tomato, {90, false, false}), AdjustLightness(tomato, 90));
    EXPECT_EQ(PictureColour(tomato, {100, true, false}), (Rgb{105, 105, 105}));
    EXPECT_EQ(PictureColour(tomato, {100, false, true}), AdjustLightness(tomato, 110));
    const Rgb darkGrey = AdjustLightness(tomato, 85);
    const std::uint8_t grey = GreyOf(darkGrey);
    EXPECT_EQ(PictureColour(tomato, {85, true, false}), (Rgb{grey, grey, grey}));
}

TEST(PictureColourCacheTest, AnswersAsTheUncachedColourThroughClashes) {
    // A tiny cache forces clashes; colours and looks alternate as in a menu being hovered.
    PictureColourCache tiny(2);
    PictureColourCache large;
    const PictureLook looks[] = {
        {100, false, false}, {100, false, true}, {100, true, false}, {90, false, true}};
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 600; ++i) {
            const Rgb colour{static_cast<std::uint8_t>(i * 37), static_cast<std::uint8_t>(i * 11),
                             static_cast<std::uint8_t>(i / 3)};
            for (const PictureLook& look : looks) {
                const Rgb expected = PictureColour(colour, look);
                ASSERT_EQ(tiny.Colour(colour, look), expected) << colour << " round " << round;
                ASSERT_EQ(large.Colour(colour, look), expected) << colour << " round " << round;
            }
        }
    }
}

TEST(PictureColourCacheTest, BlackIsNotMistakenForAnEmptySlot) {
    PictureColourCache cache(2);
    EXPECT_EQ(cache.Colour({0, 0, 0}, {100, false, true}),
              PictureColour({0, 0, 0}, {100, false, true}));
    EXPECT_EQ(cache.Colour({255, 255, 255}, {90, false, false}), (Rgb{255, 255, 255}));
}

} // namespace
} // namespace vantrel
