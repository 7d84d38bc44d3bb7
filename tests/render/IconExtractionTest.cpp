#include "render/IconExtraction.h"

#include "fakes/FakePlatform.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace vantrel {
namespace {

using testing::FakeIcons;
using testing::FakePlatform;
using testing::FakeProcess;

struct ExpansionCase {
    const char* path;
    const char* windowsDirectory;
    const char* expanded;
};

TEST(ExpandLeadingPlaceholdersTest, OnlyTheKnownSpellingsAtTheStart) {
    const ExpansionCase cases[] = {
        {"%SystemRoot%\\System32\\msconfig.exe", "C:\\Windows",
         "C:\\Windows\\System32\\msconfig.exe"},
        {"%systemroot%\\notepad.exe", "C:\\Windows", "C:\\Windows\\notepad.exe"},
        {"%SYSTEMROOT%\\System32\\msconfig.exe", "C:\\Windows",
         "%SYSTEMROOT%\\System32\\msconfig.exe"},
        {"%windir%\\regedit.exe", "D:\\WinNT", "D:\\WinNT\\regedit.exe"},
        {"%WinDir%\\regedit.exe", "D:\\WinNT", "D:\\WinNT\\regedit.exe"},
        {"%WINDIR%\\regedit.exe", "D:\\WinNT", "%WINDIR%\\regedit.exe"},
        {"%SystemDrive%\\Program Files", "E:\\Windows", "E:\\Program Files"},
        {"%systemdrive%\\Users", "E:\\Windows", "E:\\Users"},
        {"%SYSTEMDRIVE%\\Users", "E:\\Windows", "%SYSTEMDRIVE%\\Users"},
        {"%SystemRoot%", "C:\\Windows", "C:\\Windows"},
        {"%SystemRoot", "C:\\Windows", "%SystemRoot"},
        {"C:\\%SystemRoot%\\x", "C:\\Windows", "C:\\%SystemRoot%\\x"},
        {"%ProgramFiles%\\App\\app.exe", "C:\\Windows", "%ProgramFiles%\\App\\app.exe"},
        {"", "C:\\Windows", ""},
        {"%", "C:\\Windows", "%"},
        // Without a usable Windows directory nothing is replaced.
        {"%SystemRoot%\\notepad.exe", "", "%SystemRoot%\\notepad.exe"},
        {"%SystemDrive%\\x", "C:", "%SystemDrive%\\x"},
        {"%SystemDrive%\\x", "C:\\", "C:\\x"},
    };
    for (const ExpansionCase& c : cases) {
        FakePlatform fake;
        fake.process.windowsDirectory = c.windowsDirectory;
        EXPECT_EQ(ExpandLeadingPlaceholders(c.path, fake.process), c.expanded) << c.path;
    }
}

TEST(ExpandLeadingPlaceholdersTest, WindowsDirectoryMustFitTheBuffer) {
    FakePlatform fake;
    const std::string longest = "C:\\" + std::string(277, 'w');
    fake.process.windowsDirectory = longest;
    EXPECT_EQ(ExpandLeadingPlaceholders("%windir%\\a", fake.process), longest + "\\a");
    EXPECT_EQ(ExpandLeadingPlaceholders("%SystemDrive%\\a", fake.process), "C:\\a");
    fake.process.windowsDirectory = longest + "w";
    EXPECT_EQ(ExpandLeadingPlaceholders("%windir%\\a", fake.process), "%windir%\\a");
    EXPECT_EQ(ExpandLeadingPlaceholders("%SystemDrive%\\a", fake.process), "%SystemDrive%\\a");
}

RawIcon IconWithoutAlpha() {
    RawIcon icon;
    icon.colourRead = true;
    icon.maskRead = true;
    for (std::size_t i = 0; i < icon.colour.size(); i += 4) {
        icon.colour[i] = static_cast<std::uint8_t>(i);
        icon.colour[i + 1] = 0x22;
        icon.colour[i + 2] = 0x33;
        icon.colour[i + 3] = 0;
    }
    return icon;
}

TEST(ConvertIconTest, OwnAlphaIsKeptExactlyAndTheMaskIgnored) {
    RawIcon icon = IconWithoutAlpha();
    icon.colour[4 * 100 + 3] = 1; // one faint pixel is enough to count as alpha
    icon.mask.fill(0xFF);
    const auto pixels = ConvertIcon(icon);
    ASSERT_TRUE(pixels);
    EXPECT_EQ(*pixels, icon.colour);
}

TEST(ConvertIconTest, MaskBecomesAlphaWhenTheIconHasNone) {
    RawIcon icon = IconWithoutAlpha();
    icon.mask[0] = 0xFF;          // white: transparent
    icon.mask[4 * 17] = 0x01;     // any non-zero blue byte counts as white
    icon.mask[4 * 18 + 1] = 0xFF; // only green: the blue byte decides, so opaque
    const auto pixels = ConvertIcon(icon);
    ASSERT_TRUE(pixels);
    EXPECT_EQ((*pixels)[3], 0);
    EXPECT_EQ((*pixels)[4 * 17 + 3], 0);
    EXPECT_EQ((*pixels)[4 * 18 + 3], 255);
    EXPECT_EQ((*pixels)[4 * 255 + 3], 255);
    for (std::size_t i = 0; i < pixels->size(); i += 4) {
        ASSERT_EQ((*pixels)[i], icon.colour[i]) << i; // colour bytes never change
        ASSERT_EQ((*pixels)[i + 1], icon.colour[i + 1]);
        ASSERT_EQ((*pixels)[i + 2], icon.colour[i + 2]);
    }
}

TEST(ConvertIconTest, NoPixelsWithoutColourOrWithoutAnyTransparency) {
    RawIcon monochrome = IconWithoutAlpha();
    monochrome.colourRead = false; // no colour bitmap, or not square
    EXPECT_FALSE(ConvertIcon(monochrome));
    RawIcon mismatched = IconWithoutAlpha();
    mismatched.colour = IconPixels(24); // the mask cannot say which of its pixels are clear
    EXPECT_FALSE(ConvertIcon(mismatched));
    RawIcon noMask = IconWithoutAlpha();
    noMask.maskRead = false;
    EXPECT_FALSE(ConvertIcon(noMask));
    noMask.colour[3] = 200;
    EXPECT_TRUE(ConvertIcon(noMask));
}

class IconLoadTest : public ::testing::Test {
  protected:
    IconLoadTest() { // an earlier picture
        IconPixels earlier;
        earlier.fill(0x5A);
        entry.SetPixels(earlier);
    }

    FakePlatform fake;
    LinkEntry entry;
};

TEST_F(IconLoadTest, PathIconFillsThePixels) {
    fake.icons.byPath["C:\\Windows\\System32\\msconfig.exe"] = FakeIcons::Solid(1, 2, 3);
    EXPECT_TRUE(LoadIconFromPath("%SystemRoot%\\System32\\msconfig.exe", &entry, fake.platform));
    EXPECT_EQ(entry.Pixels(), FakeIcons::Solid(1, 2, 3).colour);
    EXPECT_EQ(fake.log.calls,
              std::vector<std::string>{"SHGetFileInfo path=C:\\Windows\\System32\\msconfig.exe"});
}

TEST_F(IconLoadTest, FailuresKeepTheEarlierPicture) {
    const IconPixels earlier = entry.Pixels();
    EXPECT_FALSE(LoadIconFromPath("C:\\missing.exe", &entry, fake.platform));
    RawIcon monochrome = FakeIcons::Solid(1, 2, 3);
    monochrome.colourRead = false;
    fake.icons.byPath["C:\\mono.exe"] = monochrome;
    EXPECT_FALSE(LoadIconFromPath("C:\\mono.exe", &entry, fake.platform));
    EXPECT_EQ(entry.Pixels(), earlier);
}

TEST_F(IconLoadTest, AbsentEntryTouchesNothing) {
    fake.icons.byPath["C:\\a.exe"] = FakeIcons::Solid(1, 2, 3);
    EXPECT_FALSE(LoadIconFromPath("C:\\a.exe", nullptr, fake.platform));
    EXPECT_TRUE(fake.log.calls.empty());
}

class ThrowingProcess : public FakeProcess {
  public:
    using FakeProcess::FakeProcess;
    std::string WindowsDirectory() override { throw std::runtime_error("no directory"); }
};

TEST_F(IconLoadTest, AnErrorWhileWorkingIsFalse) {
    ThrowingProcess process(fake.log);
    Platform platform = fake.With().Process(process);
    const IconPixels earlier = entry.Pixels();
    EXPECT_FALSE(LoadIconFromPath("%SystemRoot%\\notepad.exe", &entry, platform));
    EXPECT_EQ(entry.Pixels(), earlier);
}

} // namespace
} // namespace vantrel
