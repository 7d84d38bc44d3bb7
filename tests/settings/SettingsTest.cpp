#include "settings/Settings.h"
#include "fakes/FakePlatform.h"
#include "render/MenuPlacement.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using testing::FakePlatform;

const std::string Path = "C:\\Tools\\Settings.ini";
const Settings Defaults;
const Settings Chosen{false, {ModWin | ModCtrl, 0x74}, false, {ModWin | ModShift, 'G'}};

struct FileCase {
    const char* name;
    std::optional<std::string> before; // the file, when there is one
    Settings loaded;                   // what a start reads from it
    std::string after;                 // the file once Chosen is saved over it
    bool keptAside = false;            // the file was no text: it is kept as it was
};

// What a start reads from the file, and what saving Chosen then leaves in it.
TEST(SettingsFileTest, ReadsWhatItCanAndKeepsEveryOtherLine) {
    const std::string header =
        "; Vantrel's settings, read when it starts. One setting a line: name=value.\r\n";
    const std::string find = "FindShortcutOn=no\r\nFindShortcut=Win+Shift+G\r\n";
    const std::string chosen = "MenuShortcutOn=no\r\nMenuShortcut=Win+Ctrl+F5\r\n" + find;
    const FileCase cases[] = {
        {"missing", std::nullopt, Defaults, header + chosen},
        {"empty", "", Defaults, header + chosen},
        {"round trip", header + chosen, Chosen, header + chosen},
        {"names without case, blanks around",
         " menushortcut = alt + Shift + home \nMENUSHORTCUTON=No\n findshortcut= ctrl+alt+f",
         {false, {ModAlt | ModShift, 0x24}, true, {ModCtrl | ModAlt, 'F'}},
         "MenuShortcut=Win+Ctrl+F5\r\nMenuShortcutOn=no\r\nFindShortcut=Win+Shift+G\r\n"
         "FindShortcutOn=no\r\n"},
        {"comments and unknown keys kept in place",
         "\xEF\xBB\xBF# "
         "mine\r\nTrayShortcut=Win+Alt+T\n\n;MenuShortcut=Alt+X\r\nMenuShortcut=Ctrl+Q",
         {true, {ModCtrl, 'Q'}, true, DefaultFindShortcut},
         "\xEF\xBB\xBF# mine\r\nTrayShortcut=Win+Alt+T\r\n\r\n;MenuShortcut=Alt+X\r\n"
         "MenuShortcut=Win+Ctrl+F5\r\nMenuShortcutOn=no\r\n" +
             find},
        {"damaged lines", "garbage\r\n=\r\nMenuShortcutOn=maybe\r\nMenuShortcut=Win+Alt+\r\n",
         Defaults, "garbage\r\n=\r\nMenuShortcutOn=no\r\nMenuShortcut=Win+Ctrl+F5\r\n" + find},
        {"out of range: a key alone, Shift only, a modifier twice, a modifier as the key",
         "MenuShortcut=M\r\nMenuShortcut=Shift+M\r\nFindShortcut=F\r\nFindShortcutOn=?\r\n",
         Defaults,
         "MenuShortcut=Win+Ctrl+F5\r\nMenuShortcut=Shift+M\r\nFindShortcut=Win+Shift+G\r\n"
         "FindShortcutOn=no\r\nMenuShortcutOn=no\r\n"},
        {"the menu has Find's keys",
         "MenuShortcut=Win+Alt+F\r\n",
         {true, DefaultFindShortcut, false, DefaultFindShortcut},
         "MenuShortcut=Win+Ctrl+F5\r\nMenuShortcutOn=no\r\n" + find},
        {"the first line of a name counts", "MenuShortcut=Win+Alt+Ctrl\r\nMenuShortcut=Alt+F1\r\n",
         Defaults,
         "MenuShortcut=Win+Ctrl+F5\r\nMenuShortcut=Alt+F1\r\nMenuShortcutOn=no\r\n" + find},
        {"a binary file", std::string("MenuShortcut=Alt+F1\r\n\0\0", 23), Defaults, header + chosen,
         true},
        {"UTF-16", "\xFF\xFE\x3B\x4E", Defaults, header + chosen, true},
        {"too large", "MenuShortcut=Alt+F1\r\n" + std::string(SettingsFileLimit, ';'), Defaults,
         header + chosen, true},
    };
    for (const FileCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform fake;
        if (c.before)
            fake.files.files[Path] = *c.before;
        EXPECT_EQ(LoadSettings(fake.files, Path), c.loaded);
        const SettingsSaved saved = SaveSettings(fake.files, Path, Chosen);
        EXPECT_TRUE(saved.saved);
        EXPECT_EQ(fake.files.files[Path], c.after);
        EXPECT_EQ(saved.keptAs, c.keptAside ? Path + ".damaged" : "");
        EXPECT_EQ(fake.files.files[Path + ".damaged"], c.keptAside ? *c.before : "");
        EXPECT_EQ(LoadSettings(fake.files, Path), Chosen);
    }
}

TEST(SettingsFileTest, AFileThatCannotBeWrittenOrReadIsLeftAsItIs) {
    FakePlatform fake;
    fake.files.files[Path] = "MenuShortcut=Alt+F1\r\n";
    fake.files.readOnlyDirectory = true; // the temporary copy cannot be made
    const SettingsSaved readOnly = SaveSettings(fake.files, Path, Chosen);
    EXPECT_FALSE(readOnly.saved);
    EXPECT_EQ(readOnly.reason, "Access is denied.");
    fake.files.readOnlyDirectory = false;
    fake.files.locked.insert(Path); // held by another program: not saved over blind
    EXPECT_EQ(LoadSettings(fake.files, Path), Defaults);
    EXPECT_FALSE(SaveSettings(fake.files, Path, Chosen).saved);
    EXPECT_EQ(fake.files.files[Path], "MenuShortcut=Alt+F1\r\n");
    EXPECT_EQ(fake.files.files.size(), 1u); // no temporary copy left behind
    fake.files.locked.clear();
    fake.files.files[Path] = std::string("\xFF\xFE\0", 3); // no text, and it cannot be set aside
    fake.files.fault = testing::FakeFiles::Fault{"rename-keeping", 1};
    EXPECT_FALSE(SaveSettings(fake.files, Path, Chosen).saved);
    EXPECT_EQ(fake.files.files[Path], std::string("\xFF\xFE\0", 3));
}

TEST(ShortcutTextTest, BothWays) {
    struct Case {
        const char* text;
        std::optional<Shortcut> shortcut;
        const char* written; // the text form of the shortcut read
    };
    const Case cases[] = {
        {"Win+Alt+M", Shortcut{ModWin | ModAlt, 'M'}, "Win+Alt+M"},
        {"shift + alt+ctrl+win+z", Shortcut{AllModifiers, 'Z'}, "Win+Ctrl+Alt+Shift+Z"},
        {"Ctrl+F24", Shortcut{ModCtrl, 0x87}, "Ctrl+F24"},
        {"Alt+num7", Shortcut{ModAlt, 0x67}, "Alt+Num7"},
        {"Win+PageDown", Shortcut{ModWin, 0x22}, "Win+PageDown"},
        {"Ctrl+0xba", Shortcut{ModCtrl, 0xBA}, "Ctrl+0xBA"},
        {"Alt+9", Shortcut{ModAlt, '9'}, "Alt+9"},
        {"Q", Shortcut{0, 'Q'}, "Q"},
        {"", std::nullopt, ""},
        {"Win+", std::nullopt, ""},
        {"Win+Win+M", std::nullopt, ""},
        {"Ctrl+Alt", std::nullopt, ""},
        {"Hyper+M", std::nullopt, ""},
        {"Ctrl+F25", std::nullopt, ""},
        {"Ctrl+Num10", std::nullopt, ""},
        {"Ctrl+0x10", std::nullopt, ""},  // Shift's code
        {"Ctrl+0x5B", std::nullopt, ""},  // the left Windows key's
        {"Ctrl+0x100", std::nullopt, ""}, // no key has it
        {"Ctrl+MM", std::nullopt, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<Shortcut> read = ParseShortcut(c.text);
        EXPECT_EQ(read, c.shortcut);
        EXPECT_EQ(ShortcutText(read.value_or(Shortcut{})), c.written);
    }
    EXPECT_TRUE(UsableEverywhere({ModWin, 'M'}));
    EXPECT_FALSE(UsableEverywhere({ModShift, 'M'}));
    EXPECT_FALSE(UsableEverywhere({ModWin, 0}));
}

// Win+Alt+M pressed with the menu open: Alt closes the menu first, then the press arrives.
TEST(ShortcutPressTest, ThePressWhoseAltClosedTheMenuDoesNotOpenItAgain) {
    struct Case {
        const char* name;
        bool menuOpen;
        std::optional<MenuClosing> closing;
        std::uint32_t now;
        ShortcutPress press;
    };
    const unsigned winAlt = ModWin | ModAlt;
    const Case cases[] = {
        {"the menu open", true, std::nullopt, 0, ShortcutPress::ClosesMenu},
        {"no menu yet", false, std::nullopt, 0, ShortcutPress::OpensMenu},
        {"closed as its keys were held", false, MenuClosing{5000, winAlt}, 5300,
         ShortcutPress::ClosedMenuAlready},
        {"the tick wrapped since", false, MenuClosing{0xFFFFFF00u, winAlt | ModShift}, 0x50,
         ShortcutPress::ClosedMenuAlready},
        {"closed with only Alt held", false, MenuClosing{5000, ModAlt}, 5300,
         ShortcutPress::OpensMenu},
        {"closed long ago", false, MenuClosing{5000, winAlt}, 5000 + ClosingPressSpanMs + 1,
         ShortcutPress::OpensMenu},
        {"closed by Escape or by the shortcut", false, MenuClosing{5000, 0}, 5100,
         ShortcutPress::OpensMenu},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(WhatShortcutPressDoes(c.menuOpen, c.closing, winAlt, c.now), c.press);
    }
}

// A work area of 1000 x 700 at (-1000, 40): a monitor left of the primary one, taskbar on top.
TEST(MenuPlacementTest, TheMenuStaysInsideTheWorkAreaAtEachEdge) {
    struct Case {
        const char* name;
        int x, y;
        MenuAnchor anchor;
    };
    const ScreenRect work{-1000, 40, 0, 740};
    const Case cases[] = {
        {"room after the pointer", -900, 100, {-900, 100, false, false}},
        {"right edge: opens leftwards", -100, 100, {-100, 100, true, false}},
        {"bottom edge: opens upwards", -900, 700, {-900, 700, false, true}},
        {"bottom-right corner", -1, 739, {-1, 739, true, true}},
        {"left edge", -1000, 40, {-1000, 40, false, false}},
        {"on the taskbar above the work area", -500, 10, {-500, 40, false, false}},
        {"beyond the right edge", 50, 300, {0, 300, true, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const MenuAnchor anchor = PlaceMenu(c.x, c.y, 200, 300, work);
        EXPECT_EQ(anchor.x, c.anchor.x);
        EXPECT_EQ(anchor.y, c.anchor.y);
        EXPECT_EQ(anchor.rightEdgeAtX, c.anchor.rightEdgeAtX);
        EXPECT_EQ(anchor.bottomEdgeAtY, c.anchor.bottomEdgeAtY);
    }
    // Taller than the work area: from its top, as much as fits.
    const MenuAnchor tall = PlaceMenu(-900, 300, 200, 900, work);
    EXPECT_EQ(tall.y, 40);
    EXPECT_FALSE(tall.bottomEdgeAtY);
}

} // namespace
} // namespace vantrel
