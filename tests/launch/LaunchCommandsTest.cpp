// The main form's link commands, clicked the way the menu clicks them.
#include "app/MainForm.h"
#include "fakes/FakePlatform.h"
#include "find/FindList.h"
#include "tree/Entries.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using testing::FakePlatform;

MenuNode& CommandOf(MenuNode& item, const std::string& caption) {
    for (std::size_t i = 0; i < item.Count(); ++i)
        if (item.Child(i).caption == caption)
            return item.Child(i);
    throw std::runtime_error("no command " + caption);
}

struct StartedForm {
    FakePlatform fake;
    MainForm form{fake.platform};

    explicit StartedForm(bool wow64) {
        fake.process.isWow64 = fake.process.hasDisable = fake.process.hasRevert = wow64;
        form.FormCreate();
    }
    MenuNode& AddItem(const ItemFields& fields) {
        MenuNode& item = CreateItemEntry(*form.CategoryMenus().OfKind(fields.kind), fields);
        fake.log.calls.clear();
        return item;
    }
};

ItemFields Application() {
    ItemFields fields;
    fields.title = "Recorder";
    fields.target = "C:\\tests\\recorder.exe";
    fields.parameters = "one \"two three\"";
    fields.workDir = "C:\\work dir";
    fields.kind = LinkKindApplication;
    return fields;
}

TEST(LaunchCommandsTest, OpenLinkOnAnApplicationRunsItInsideTheBracket) {
    StartedForm started(true);
    MenuNode& item = started.AddItem(Application());
    started.form.MenuItemClick(CommandOf(item, "Open Link"));
    EXPECT_EQ(started.fake.log.calls,
              (std::vector<std::string>{
                  "Wow64DisableWow64FsRedirection",
                  "ShellExecute verb=open file=C:\\tests\\recorder.exe params=one \"two three\" "
                  "dir=C:\\work dir show=1",
                  "Wow64RevertWow64FsRedirection cookie=0x5150"}));
}

TEST(LaunchCommandsTest, CopyLinkOnAnApplicationCopiesTargetAndParameters) {
    StartedForm started(false);
    MenuNode& item = started.AddItem(Application());
    started.form.MenuItemClick(CommandOf(item, "Copy Link"));
    EXPECT_EQ(started.fake.clipboard.textBlock,
              std::string("C:\\tests\\recorder.exe one \"two three\"") + '\0');
    EXPECT_EQ(started.fake.clipboard.locale, started.fake.clipboard.systemLocale);
    EXPECT_FALSE(started.fake.clipboard.isOpen);
}

TEST(LaunchCommandsTest, OpenWithOperaOnAnInternetLink) {
    StartedForm started(true);
    ItemFields fields;
    fields.title = "Example";
    fields.target = "http://www.example.com/";
    fields.kind = LinkKindInternet;
    MenuNode& item = started.AddItem(fields);
    started.form.MenuItemClick(CommandOf(item, "Open With Opera"));
    EXPECT_EQ(started.fake.log.calls,
              (std::vector<std::string>{
                  "ShellExecute verb=open file=opera params=http://www.example.com/ dir= show=1"}));
}

// Find opens and copies the entry it found exactly as the entry's own commands do, closing
// first: keeping the program in front for what it opens, giving the front back to paste.
TEST(LaunchCommandsTest, FindOpensAndCopiesAsOpenLinkAndCopyLinkDo) {
    StartedForm started(true);
    MenuNode& item = started.AddItem(Application());
    started.form.MenuItemClick(CommandOf(item, "Open Link"));
    std::vector<std::string> opened = started.fake.log.calls;
    opened.insert(opened.begin(), "CloseFindWindow keeping front");
    started.fake.log.calls.clear();
    started.form.ToggleFind();
    FindList& find = started.form.Finder();
    find.SetText("RECORD");
    started.fake.log.calls.clear();
    started.form.OpenFound();
    EXPECT_EQ(started.fake.log.calls, opened);
    started.form.ToggleFind();
    find.SetText("RECORD");
    started.form.CopyFound();
    EXPECT_EQ(started.fake.log.Matching("CloseFindWindow").back(), "CloseFindWindow giving back");
    EXPECT_EQ(started.fake.clipboard.textBlock,
              std::string("C:\\tests\\recorder.exe one \"two three\"") + '\0');
}

// The menu's row and the shortcut open Find, or close it when it shows; over a dialog the
// dialog comes to the front. Esc clears the text first, then closes; Enter and Ctrl+C
// without a row found do nothing.
TEST(LaunchCommandsTest, FindOpensClosesAndWaitsForDialogs) {
    StartedForm started(false);
    started.AddItem(Application());
    MainForm& form = started.form;
    form.MenuItemClick(*form.PopupMenuSub().Find("PopupMenuSubFind"));
    EXPECT_GT(form.Finder().IndexedItems(), 0u); // indexed as it opens
    form.Finder().SetText("nothing like it");
    form.OpenFound();
    form.CopyFound();
    form.EscapeFind();
    EXPECT_TRUE(started.fake.ui.findShown);
    form.EscapeFind();
    form.ToggleFind();
    form.ToggleFind();
    form.State().DialogOpened();
    form.ToggleFind();
    EXPECT_EQ(
        started.fake.log.calls,
        (std::vector<std::string>{"ShowFindWindow", "CloseFindWindow giving back", "ShowFindWindow",
                                  "CloseFindWindow giving back", "BringToForeground"}));
    EXPECT_FALSE(started.fake.clipboard.textBlock);
}

// A command whose item is gone or carries no record does nothing, and says nothing.
TEST(LaunchCommandsTest, CommandsWithoutAnEntryDoNothing) {
    for (Command command : {Command::OpenLink, Command::CopyLink, Command::OpenWithIE,
                            Command::OpenWithFirefox, Command::OpenWithChrome,
                            Command::OpenWithOpera}) {
        StartedForm started(true);
        started.fake.log.calls.clear();
        MenuNode orphan("Open Link", 30, command);
        started.form.MenuItemClick(orphan);
        MenuNode& withoutRecord = started.form.CategoryMenus().run->Append("x", 30, command);
        started.form.MenuItemClick(withoutRecord);
        EXPECT_TRUE(started.fake.log.calls.empty()) << static_cast<int>(command);
    }
}

} // namespace
} // namespace vantrel
