#include "fakes/FakePlatform.h"
#include "launch/Clipboard.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using testing::ClipboardStep;
using testing::FakePlatform;

TEST(CopyTextToClipboardTest, PlacesTheSystemLocaleBeforeTheText) {
    FakePlatform fake;
    fake.clipboard.HoldText("old");
    EXPECT_TRUE(CopyTextToClipboard(fake.clipboard, "C:\\M\xFCller a"));
    EXPECT_EQ(fake.log.calls,
              (std::vector<std::string>{"OpenClipboard", "EmptyClipboard", "GetSystemDefaultLCID",
                                        "SetClipboardData CF_LOCALE 0x00000407",
                                        "SetClipboardData CF_TEXT C:\\M\xFCller a",
                                        "CloseClipboard"}));
    EXPECT_EQ(fake.clipboard.formats,
              (std::vector<unsigned>{ClipboardFormatLocale, ClipboardFormatText}));
    EXPECT_EQ(fake.clipboard.locale, 0x0407u);
    EXPECT_EQ(fake.clipboard.textBlock, std::string("C:\\M\xFCller a\0", 12));
}

TEST(CopyTextToClipboardTest, EmptyTextLeavesTheClipboardAlone) {
    FakePlatform fake;
    fake.clipboard.HoldText("old");
    EXPECT_FALSE(CopyTextToClipboard(fake.clipboard, ""));
    EXPECT_TRUE(fake.log.calls.empty());
    EXPECT_EQ(fake.clipboard.textBlock, std::string("old", 4));
}

struct FailureCase {
    ClipboardStep step;
    bool throws;
    std::vector<std::string> calls; // after OpenClipboard
    bool previousContentsKept;
    bool textPlaced;
};

class ClipboardFailureTest : public ::testing::TestWithParam<FailureCase> {};

// Whatever step fails, and however it fails, a clipboard that was opened is closed again.
TEST_P(ClipboardFailureTest, ClosesTheClipboardOnEveryPath) {
    const FailureCase& c = GetParam();
    FakePlatform fake;
    fake.clipboard.HoldText("old");
    fake.clipboard.failingStep = c.step;
    fake.clipboard.failByThrowing = c.throws;
    bool placed = false;
    if (c.throws)
        EXPECT_ANY_THROW(placed = CopyTextToClipboard(fake.clipboard, "new"));
    else
        placed = CopyTextToClipboard(fake.clipboard, "new");

    std::vector<std::string> expected{"OpenClipboard"};
    expected.insert(expected.end(), c.calls.begin(), c.calls.end());
    EXPECT_EQ(fake.log.calls, expected);
    EXPECT_FALSE(fake.clipboard.isOpen);
    EXPECT_EQ(placed, c.textPlaced);
    EXPECT_EQ(fake.clipboard.textBlock == std::string("old", 4), c.previousContentsKept);
}

const std::vector<std::string> AfterEmpty{"GetSystemDefaultLCID",
                                          "SetClipboardData CF_LOCALE 0x00000407",
                                          "SetClipboardData CF_TEXT new", "CloseClipboard"};

INSTANTIATE_TEST_SUITE_P(
    Steps, ClipboardFailureTest,
    ::testing::Values(
        // Held open by another program: nothing to close, old contents stay.
        FailureCase{ClipboardStep::Open, false, {}, true, false},
        FailureCase{ClipboardStep::Open, true, {}, true, false},
        // Not the owner: leave the other program's contents whole.
        FailureCase{ClipboardStep::Empty, false, {"EmptyClipboard", "CloseClipboard"}, true,
                    false},
        FailureCase{ClipboardStep::Empty, true, {"EmptyClipboard", "CloseClipboard"}, true,
                    false},
        // No locale: the text still follows.
        FailureCase{ClipboardStep::PlaceLocale, false,
                    {"EmptyClipboard", AfterEmpty[0], AfterEmpty[1], AfterEmpty[2],
                     AfterEmpty[3]},
                    false, true},
        FailureCase{ClipboardStep::PlaceLocale, true,
                    {"EmptyClipboard", AfterEmpty[0], AfterEmpty[1], "CloseClipboard"}, false,
                    false},
        FailureCase{ClipboardStep::PlaceText, false,
                    {"EmptyClipboard", AfterEmpty[0], AfterEmpty[1], AfterEmpty[2],
                     AfterEmpty[3]},
                    false, false},
        FailureCase{ClipboardStep::PlaceText, true,
                    {"EmptyClipboard", AfterEmpty[0], AfterEmpty[1], AfterEmpty[2],
                     AfterEmpty[3]},
                    false, false}));

} // namespace
} // namespace vantrel
