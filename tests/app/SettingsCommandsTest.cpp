#include "app/MainForm.h"
#include "fakes/FakePlatform.h"
#include "transfer/ImportListing.h"
#include "tree/Configuration.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace vantrel {
namespace {

using testing::FakePlatform;

const std::string SettingsPath = "C:\\Tools\\Settings.ini";

// The calls of the log that start with one of the prefixes.
std::vector<std::string> CallsOf(const FakePlatform& fake, std::vector<std::string> prefixes) {
    std::vector<std::string> found;
    for (const std::string& call : fake.log.calls)
        for (const std::string& prefix : prefixes)
            if (call.rfind(prefix, 0) == 0)
                found.push_back(call);
    return found;
}

const std::vector<std::string> Watched = {"RegisterHotKey", "UnregisterHotKey", "ShowBalloon",
                                          "MessageBox", "ShowPopupMenu"};

// The Settings window, in which the user does `act`.
void OpenSettings(FakePlatform& fake, MainForm& form, std::function<void(DialogModel&)> act) {
    fake.ui.dialogScripts.push_back(std::move(act));
    form.MenuItemClick(*form.PopupMenuSub().Find("PopupMenuSubSettings"));
}

void ChooseKeys(DialogModel& dialog, const std::string& keys) {
    dialog.SetText("MenuKeys", keys);
    dialog.UserEnter("MenuKeys");
}

TEST(ShortcutTest, OpensTheMainMenuAtThePointerWithItsFirstRowLit) {
    FakePlatform fake;
    MainForm form(fake.platform);
    form.FormCreate();
    fake.log.calls.clear();
    form.ShortcutPressed(MenuShortcutId, 500, 400);
    form.ShortcutPressed(SpareFindShortcutId + 1, 1, 2); // not the program's: nothing
    form.ShortcutPressed(FindShortcutId, 1, 2);          // Find opens, and closes again
    form.ShortcutPressed(SpareFindShortcutId, 1, 2);
    EXPECT_EQ(CallsOf(fake, {"BringToForeground", "ShowPopupMenu", "ShowFind", "CloseFind"}),
              (std::vector<std::string>{
                  "BringToForeground",
                  "ShowPopupMenu PopupMenuMain at 500,400 first row lit inside work area",
                  "ShowFindWindow", "CloseFindWindow giving back"}));
    form.FormDestroy();
    EXPECT_EQ(CallsOf(fake, {"UnregisterHotKey"}),
              (std::vector<std::string>{"UnregisterHotKey 1", "UnregisterHotKey 3"}));
}

// One balloon for what is taken; once the other program has let it go, OK in Settings takes it.
TEST(ShortcutTest, ATakenShortcutIsToldOnceAndTheProgramRuns) {
    struct Case {
        std::string file;
        std::vector<Shortcut> taken;
        std::vector<std::string> atStart;
        std::vector<std::string> retried;
    };
    const std::string told = " taken by another program or by Windows. To choose ";
    const std::string settings = ", right-click here and choose Settings. timeout=3000";
    const Case cases[] = {
        {"MenuShortcut=Ctrl+Alt+F9\r\n",
         {{ModCtrl | ModAlt, 0x78}},
         {"RegisterHotKey 1 Ctrl+Alt+F9 taken", "RegisterHotKey 3 Win+Alt+F",
          "ShowBalloon title=Vantrel text=Ctrl+Alt+F9, the shortcut that opens the menu, is" +
              told + "another" + settings},
         {"RegisterHotKey 1 Ctrl+Alt+F9"}},
        {"",
         {DefaultFindShortcut},
         {"RegisterHotKey 1 Win+Alt+M", "RegisterHotKey 3 Win+Alt+F taken",
          "ShowBalloon title=Vantrel text=Win+Alt+F, the shortcut that opens Find, is" + told +
              "another" + settings},
         {"RegisterHotKey 3 Win+Alt+F"}},
        {"FindShortcut=Alt+F2\r\n",
         {DefaultMenuShortcut, {ModAlt, 0x71}},
         {"RegisterHotKey 1 Win+Alt+M taken", "RegisterHotKey 3 Alt+F2 taken",
          "ShowBalloon title=Vantrel text=Win+Alt+M and Alt+F2, the shortcuts that open the menu "
          "and Find, are" +
              told + "others" + settings},
         {"RegisterHotKey 1 Win+Alt+M", "RegisterHotKey 3 Alt+F2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        FakePlatform fake;
        fake.files.files[SettingsPath] = c.file;
        fake.hotKeys.takenElsewhere = c.taken;
        MainForm form(fake.platform);
        form.FormCreate();
        EXPECT_EQ(CallsOf(fake, Watched), c.atStart);
        fake.hotKeys.takenElsewhere.clear();
        fake.log.calls.clear();
        OpenSettings(fake, form, [](DialogModel& dialog) { dialog.UserEnter("MenuKeys"); });
        EXPECT_EQ(CallsOf(fake, Watched), c.retried);
        EXPECT_EQ(fake.files.files[SettingsPath], c.file); // unchanged
    }
}

TEST(ShortcutTest, AFailureWhileStartingTheSettingsCostsNothingElse) {
    FakePlatform fake;
    fake.hotKeys.throwOnRegister = true;
    MainForm form(fake.platform);
    form.FormCreate();
    EXPECT_TRUE(form.Facts().startupComplete); // the tree is saved
    EXPECT_EQ(
        CallsOf(fake, {"ShowBalloon"}),
        std::vector<std::string>{
            "ShowBalloon title=Vantrel text=Left-click here to popup the menu. timeout=3000"});
}

TEST(SettingsWindowTest, OkTakesEffectAtOnceAndIsWrittenCancelChangesNothing) {
    FakePlatform fake;
    const std::string utf16("\xFF\xFE;\0", 4); // a file Notepad saved as "Unicode"
    fake.files.files[SettingsPath] = utf16;
    MainForm form(fake.platform);
    form.FormCreate();
    fake.log.calls.clear();
    OpenSettings(fake, form, [](DialogModel& dialog) {
        EXPECT_EQ(dialog.Text("MenuKeys"), "Alt+M");
        EXPECT_TRUE(dialog.Checked("MenuWinKey"));
        EXPECT_EQ(dialog.StartControl(), "MenuKeys");
        EXPECT_EQ(dialog.Text("FindKeys"), "Alt+F");
        EXPECT_TRUE(dialog.Checked("FindWinKey") && dialog.Checked("FindOn"));
        dialog.SetText("FindKeys", "Ctrl+Alt+J");
        dialog.SetChecked("FindWinKey", false);
        ChooseKeys(dialog, "Alt+K");
        EXPECT_EQ(dialog.Result(), ModalResult::Ok);
    });
    OpenSettings(fake, form, [](DialogModel& dialog) {
        EXPECT_EQ(dialog.Text("MenuKeys"), "Alt+K");
        dialog.UserClick("MenuOn");
        EXPECT_FALSE(dialog.Enabled("MenuKeys"));
        dialog.UserEscape();
    });
    EXPECT_EQ(CallsOf(fake, Watched),
              (std::vector<std::string>{
                  "RegisterHotKey 2 Win+Alt+K", "UnregisterHotKey 1", "RegisterHotKey 4 Ctrl+Alt+J",
                  "UnregisterHotKey 3",
                  "ShowBalloon title=Vantrel text=The settings file held no text Vantrel can "
                  "read: it is kept as " +
                      SettingsPath +
                      ".damaged, and a new one holds your "
                      "settings. timeout=3000"}));
    EXPECT_EQ(fake.files.files[SettingsPath + ".damaged"], utf16);
    EXPECT_EQ(fake.files.files[SettingsPath],
              "; Vantrel's settings, read when it starts. One setting a line: name=value.\r\n"
              "MenuShortcutOn=yes\r\nMenuShortcut=Win+Alt+K\r\nFindShortcutOn=yes\r\n"
              "FindShortcut=Ctrl+Alt+J\r\n");
    fake.log.calls.clear();
    OpenSettings(fake, form, [](DialogModel& dialog) {
        dialog.UserClick("MenuOn");
        dialog.UserEnter("MenuOn");
    });
    EXPECT_EQ(CallsOf(fake, Watched), std::vector<std::string>{"UnregisterHotKey 2"});
    EXPECT_NE(fake.files.files[SettingsPath].find("MenuShortcutOn=no\r\nMenuShortcut=Win+Alt+K"),
              std::string::npos);
}

TEST(SettingsWindowTest, AChoiceThatCannotBeTakenKeepsTheWindowOpenAndTheOldShortcut) {
    FakePlatform fake;
    fake.hotKeys.takenElsewhere = {{ModWin | ModAlt, 'T'}};
    MainForm form(fake.platform);
    form.FormCreate();
    fake.log.calls.clear();
    OpenSettings(fake, form, [](DialogModel& dialog) {
        dialog.SetChecked("MenuWinKey", false);
        for (const char* keys : {"", "Shift+K", "K", "Alt+T"}) {
            dialog.SetChecked("MenuWinKey", keys[0] == 'A');
            ChooseKeys(dialog, keys);
            EXPECT_EQ(dialog.Result(), ModalResult::None) << keys;
        }
        dialog.SetText("FindKeys", "Alt+K"); // the menu's new keys as well
        ChooseKeys(dialog, "Alt+K");
        dialog.SetText("FindKeys", "Alt+T"); // taken: the menu's new keys are let go again
        ChooseKeys(dialog, "Alt+K");
        EXPECT_EQ(dialog.Result(), ModalResult::None);
    });
    const std::vector<std::string> calls = CallsOf(fake, Watched);
    ASSERT_EQ(calls.size(), 12u);
    EXPECT_NE(calls[0].find("Press the keys of the shortcut"), std::string::npos);
    EXPECT_NE(calls[1].find("A shortcut needs the Windows key, Ctrl or Alt"), std::string::npos);
    EXPECT_EQ(calls[2], calls[1]);
    EXPECT_EQ(calls[3], "RegisterHotKey 2 Win+Alt+T taken"); // the old one is never let go
    EXPECT_NE(calls[4].find("Win+Alt+T is taken by another program or by Windows"),
              std::string::npos);
    EXPECT_NE(calls[5].find("The menu and Find cannot have the same shortcut"), std::string::npos);
    EXPECT_EQ(std::vector<std::string>(calls.begin() + 6, calls.end() - 1),
              (std::vector<std::string>{"RegisterHotKey 2 Win+Alt+K", "UnregisterHotKey 1",
                                        "RegisterHotKey 4 Win+Alt+T taken",
                                        "RegisterHotKey 1 Win+Alt+M", "UnregisterHotKey 2"}));
    EXPECT_EQ(calls[11], calls[4]);
    EXPECT_EQ(fake.hotKeys.held, (std::map<int, Shortcut>{{MenuShortcutId, DefaultMenuShortcut},
                                                          {FindShortcutId, DefaultFindShortcut}}));
    EXPECT_EQ(fake.files.files.count(SettingsPath), 0u);
    OpenSettings(fake, form, [](DialogModel& dialog) { // the two swapped in one OK
        dialog.SetText("FindKeys", "Alt+M");
        ChooseKeys(dialog, "Alt+F");
    });
    EXPECT_EQ(fake.hotKeys.held,
              (std::map<int, Shortcut>{{MenuShortcutId, DefaultFindShortcut},
                                       {SpareFindShortcutId, DefaultMenuShortcut}}));
}

TEST(SettingsWindowTest, AFolderThatCannotBeWrittenKeepsTheChoiceAndSaysSoOnce) {
    FakePlatform fake;
    fake.files.readOnlyDirectory = true;
    MainForm form(fake.platform);
    form.FormCreate();
    fake.log.calls.clear();
    for (const char* keys : {"Alt+K", "Alt+J"})
        OpenSettings(fake, form, [keys](DialogModel& dialog) { ChooseKeys(dialog, keys); });
    EXPECT_EQ(
        CallsOf(fake, Watched),
        (std::vector<std::string>{
            "RegisterHotKey 2 Win+Alt+K", "UnregisterHotKey 1",
            "ShowBalloon title=Vantrel text=Your settings could not be saved to " + SettingsPath +
                ": Access is denied.\nThey hold until Vantrel ends. "
                "timeout=3000",
            "RegisterHotKey 1 Win+Alt+J", "UnregisterHotKey 2"}));
}

// Settings > Import...: the source chosen in the small window, read whole, then attached in
// one piece and saved as after an edit, or nothing at all.
struct ImportCase {
    const char* name;
    const char* source; // the round button chosen
    std::function<void(FakePlatform&)> given;
    std::string added; // the items the tree gains, as the import tests list them
    std::string told;  // the last message box
};

const std::string Bookmarks = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n"
                              "<DT><A HREF=\"http://a/\">A</A>\n<DT><A HREF=\"http://b/\">B</A>\n";

const ImportCase ImportCases[] = {
    {"StartMenuMergesFoldersOfTheSameName", "StartMenu",
     [](FakePlatform& fake) {
         fake.folders.folders[FolderPrograms] = "C:\\Mine";
         fake.folders.folders[FolderCommonPrograms] = "C:\\All";
         fake.shortcuts.folders["C:\\Mine"] = {"1", {"Tools"}, {}};
         fake.shortcuts.folders["C:\\All"] = {"2", {"tools"}, {}};
         fake.shortcuts.folders["C:\\Mine\\Tools"] = {"3", {}, {"ed.lnk"}};
         fake.shortcuts.folders["C:\\All\\tools"] = {"4", {}, {"calc.lnk"}};
         fake.shortcuts.links["C:\\Mine\\Tools\\ed.lnk"] = {"C:\\ed.exe", "-n", "C:\\W"};
         fake.shortcuts.links["C:\\All\\tools\\calc.lnk"] = {"C:\\calc.exe", "", ""};
     },
     "A Start Menu/Tools/calc = C:\\calc.exe\nA Start Menu/Tools/ed = C:\\ed.exe (-n; C:\\W)\n",
     "Message title=Import text=4 entries imported into 1 category"},
    {"BookmarksFile", "Bookmarks",
     [](FakePlatform& fake) {
         fake.pickers.fileAnswers = {"C:\\b.html"};
         fake.files.files["C:\\b.html"] = Bookmarks + "</DL>";
     },
     "I Bookmarks/A = http://a/\nI Bookmarks/B = http://b/\n",
     "Message title=Import text=3 entries imported into 1 category"},
    {"FileCutShortAfterSomeLinksBringsNone", "Bookmarks",
     [](FakePlatform& fake) {
         fake.pickers.fileAnswers = {"C:\\b.html"};
         fake.files.files["C:\\b.html"] = Bookmarks;
     },
     "",
     "MessageBox title=Import text=Nothing was imported: your shortcuts are as they were.\n\n"
     "The file ends in the middle: it seems to have been cut short."},
    {"FolderThatCannotBeRead", "Folder",
     [](FakePlatform& fake) { fake.pickers.folderAnswers = {"D:\\Gone"}; }, "",
     "MessageBox title=Import text=Nothing was imported: your shortcuts are as they were.\n\n"
     "The folder could not be read."},
    {"FolderPickerCancelled", "Folder", [](FakePlatform&) {}, "", ""},
};

std::set<std::string> ItemLines(const MainForm& form) {
    std::istringstream text(testing::ListItems(form.CategoryMenus()));
    std::set<std::string> lines;
    for (std::string line; std::getline(text, line);)
        lines.insert(line);
    return lines;
}

class ImportTest : public ::testing::TestWithParam<ImportCase> {};

TEST_P(ImportTest, AttachesTheWholeSourceOrNothingAndSaysWhat) {
    const ImportCase& test = GetParam();
    FakePlatform fake;
    fake.saveThread.noThread = true;
    MainForm form(fake.platform);
    form.FormCreate();
    test.given(fake);
    form.SaveConfiguration(); // the examples of the first start
    const std::set<std::string> before = ItemLines(form);
    const std::string storedBefore = fake.files.files["C:\\Tools\\Config.dat"];
    fake.log.calls.clear();
    OpenSettings(fake, form, [&](DialogModel& settings) {
        fake.ui.dialogScripts.push_back([&](DialogModel& source) {
            source.UserClick(test.source);
            source.UserEnter(test.source);
        });
        settings.UserClick("ImportButton");
    });
    std::string added;
    for (const std::string& line : ItemLines(form))
        if (!before.count(line))
            added += line + "\n";
    EXPECT_EQ(added, test.added);
    const std::vector<std::string> told = CallsOf(fake, {"Message"});
    EXPECT_EQ(told.empty() ? "" : told.back(), test.told);
    form.TimerElapsed(SaveTimer);
    EXPECT_EQ(fake.files.files["C:\\Tools\\Config.dat"] != storedBefore, !test.added.empty());
}

INSTANTIATE_TEST_SUITE_P(Sources, ImportTest, ::testing::ValuesIn(ImportCases),
                         [](const auto& tested) { return std::string(tested.param.name); });

TEST(ExportTest, WritesTheTreeWhereTheUserChoseOrSaysWhyNot) {
    FakePlatform fake;
    MainForm form(fake.platform);
    form.FormCreate();
    fake.pickers.fileAnswers = {"C:\\Out\\x.html", "C:\\Out\\y.html"};
    for (int i = 0; i < 2; ++i) {
        fake.files.readOnlyDirectory = i == 1;
        OpenSettings(fake, form, [](DialogModel& dialog) { dialog.UserClick("ExportButton"); });
    }
    const std::vector<std::string> told = CallsOf(fake, {"GetSaveFileName", "Message"});
    ASSERT_EQ(told.size(), 4u);
    EXPECT_EQ(told[0], "GetSaveFileName owner=Settings filter=Bookmarks files (*.html, *.htm)|"
                       "*.html;*.htm| file=Vantrel bookmarks.html");
    EXPECT_NE(told[1].find(" entries were written to\nC:\\Out\\x.html"), std::string::npos);
    EXPECT_NE(fake.files.files["C:\\Out\\x.html"].find("<A HREF="), std::string::npos);
    EXPECT_EQ(told[3].rfind("MessageBox title=Export text=Your shortcuts could not be exported "
                            "to\nC:\\Out\\y.html\n\nThe file could not be written",
                            0),
              0u);
}

} // namespace
} // namespace vantrel
