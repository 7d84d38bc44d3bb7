// The entry commands as the menu runs them: add, edit, delete, move up and move down.
#include "app/Forms.h"
#include "app/MainForm.h"
#include "fakes/FakePlatform.h"
#include "tree/Entries.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using testing::FakePlatform;

std::vector<std::string> Captions(const MenuNode& node, std::size_t from = 2) {
    std::vector<std::string> captions;
    for (std::size_t i = from; i < node.Count(); ++i)
        captions.push_back(node.Child(i).caption);
    return captions;
}

// The command of an entry's "Actions" submenu with this caption.
MenuNode& Action(MenuNode& entry, const std::string& caption) {
    MenuNode& actions = entry.Child(0);
    for (std::size_t i = 0; i < actions.Count(); ++i)
        if (actions.Child(i).caption == caption)
            return actions.Child(i);
    throw std::out_of_range("no action " + caption);
}

struct EntryCommandsTest : ::testing::Test {
    FakePlatform fake;
    MainForm form{fake.platform};
    MenuNode& run = *form.CategoryMenus().run;

    MenuNode& RunItem(const std::string& title) {
        return CreateItemEntry(run, ItemFields{title, "cmd", "", "", 0, LinkKindRun, 1});
    }
    void Click(MenuNode& item) { form.MenuItemClick(item); }
    // The user types into the shown dialog and clicks OK.
    void Script(std::function<void(DialogModel&)> script) {
        fake.ui.dialogScripts.push_back(std::move(script));
    }
};

TEST_F(EntryCommandsTest, AddInACategoryAppendsTheItemLast) {
    RunItem("first");
    Script([](DialogModel& d) {
        d.UserType("Edit1", "Ping & trace");
        d.UserType("Edit2", "ping -t 127.0.0.1");
        d.UserClick("CheckBox1");
        d.UserClick("BitBtn1");
    });
    Click(*form.PopupMenuMain().Find("AddNewItem1"));
    EXPECT_EQ(fake.log.Matching("ShowModal"),
              (std::vector<std::string>{"ShowModal Add/Edit Command Line"}));
    ASSERT_EQ(Captions(run), (std::vector<std::string>{"first", "Ping & trace"}));
    const LinkEntry& record = *run.Child(3).Tag();
    EXPECT_EQ(record.target, "ping -t 127.0.0.1");
    EXPECT_EQ(record.runAsAdmin, 1);
    EXPECT_EQ(record.kind, LinkKindRun);
    EXPECT_EQ(record.entryType, 1);
}

TEST_F(EntryCommandsTest, AddInAGroupTakesTheGroupsKindAndPlace) {
    MenuNode& internet = *form.CategoryMenus().internet;
    MenuNode& group = CreateGroupEntry(internet, "Search", LinkKindInternet, 0);
    CreateGroupEntry(internet, "After", LinkKindInternet, 0);
    Script([](DialogModel& d) {
        d.UserClick("RadioButton2");
        d.UserType("Edit3", "Sub");
        d.UserClick("BitBtn1");
    });
    Click(Action(group, "Add New Item"));
    EXPECT_EQ(fake.log.Matching("ShowModal"),
              (std::vector<std::string>{"ShowModal Add/Edit Internet Link"}));
    ASSERT_EQ(Captions(group), (std::vector<std::string>{"Sub"}));
    EXPECT_EQ(group.Child(2).Tag()->kind, LinkKindInternet);
    EXPECT_EQ(group.Child(2).Tag()->isGroup, 1);
    EXPECT_EQ(Captions(internet), (std::vector<std::string>{"Search", "After"}));
}

TEST_F(EntryCommandsTest, CancelAndRefusedOkChangeNothing) {
    const long nodes = MenuNode::LiveCount();
    Script([](DialogModel& d) {
        d.UserType("Edit1", "t");
        d.UserType("Edit2", "x");
        d.UserClick("BitBtn2");
    });
    Script([](DialogModel& d) {
        d.UserType("Edit1", "title only");
        d.UserClick("BitBtn1"); // refused: the target is empty; then the close box
    });
    Click(*form.PopupMenuMain().Find("AddNewItem3"));
    Click(*form.PopupMenuMain().Find("AddNewItem3"));
    EXPECT_EQ(fake.log.Matching("ShowModal").size(), 2u);
    EXPECT_EQ(form.CategoryMenus().network->Count(), 2u);
    EXPECT_EQ(MenuNode::LiveCount(), nodes);
}

TEST_F(EntryCommandsTest, EachAddStartsFromAnEmptyItemMode) {
    Script([](DialogModel& d) {
        d.UserClick("RadioButton2");
        d.UserType("Edit3", "left behind");
        d.UserClick("BitBtn2");
    });
    bool resetSeen = false;
    Script([&](DialogModel& d) {
        resetSeen = d.Checked("RadioButton1") && d.Enabled("RadioButton2") &&
                    d.Text("Edit3").empty() && !d.Enabled("Edit3") && !d.Checked("CheckBox1");
    });
    Click(*form.PopupMenuMain().Find("AddNewItem1"));
    Click(*form.PopupMenuMain().Find("AddNewItem1"));
    EXPECT_TRUE(resetSeen);
}

TEST_F(EntryCommandsTest, EveryCategoryHasItsDialogAndOtherKindsNone) {
    const Forms& forms = form.Dialogs();
    EXPECT_EQ(forms.editors.ForKind(LinkKindRun), &forms.FormAddRun);
    EXPECT_EQ(forms.editors.ForKind(LinkKindApplication), &forms.FormAddApp);
    EXPECT_EQ(forms.editors.ForKind(LinkKindNetwork), &forms.FormAddNetwork);
    EXPECT_EQ(forms.editors.ForKind(LinkKindInternet), &forms.FormAddInternet);
    EXPECT_EQ(forms.editors.ForKind(LinkKindFile), &forms.FormAddFile);
    EXPECT_EQ(forms.editors.ForKind(LinkKindSystem), nullptr);
    EXPECT_EQ(forms.editors.ForKind(LinkKindDrive), nullptr);

    // A record whose kind has no dialog (a damaged one) ignores add and edit.
    MenuNode& group = CreateGroupEntry(run, "odd", LinkKindRun, 0);
    group.Tag()->kind = LinkKindSystem;
    fake.log.calls.clear();
    Click(Action(group, "Add New Item"));
    Click(Action(group, "Edit Current Item"));
    EXPECT_TRUE(fake.log.calls.empty());
}

TEST_F(EntryCommandsTest, EditingAGroupRenamesItAndKeepsItsChildren) {
    MenuNode& group = CreateGroupEntry(run, "Old", LinkKindRun, 0);
    CreateItemEntry(group, ItemFields{"child", "cmd", "", "", 0, LinkKindRun, 1});
    bool itemModeLocked = false;
    Script([&](DialogModel& d) {
        itemModeLocked = !d.Enabled("RadioButton1") && d.Checked("RadioButton2");
        EXPECT_EQ(d.Text("Edit3"), "Old");
        d.UserClick("RadioButton1"); // disabled: stays a group
        d.UserType("Edit3", "R&D tools");
        d.UserClick("BitBtn1");
    });
    Click(Action(group, "Edit Current Item"));
    EXPECT_TRUE(itemModeLocked);
    EXPECT_EQ(group.caption, "R&D tools");
    EXPECT_EQ(group.Tag()->title, "R&D tools");
    EXPECT_EQ(group.Tag()->isGroup, 1);
    EXPECT_EQ(Captions(group), (std::vector<std::string>{"child"}));
}

TEST_F(EntryCommandsTest, EditingAnItemWritesItBackInPlace) {
    RunItem("a");
    MenuNode& item = RunItem("b");
    RunItem("c");
    Script([](DialogModel& d) {
        EXPECT_FALSE(d.Enabled("RadioButton2"));
        EXPECT_EQ(d.Text("Edit2"), "cmd");
        d.UserType("Edit1", "B");
        d.UserType("Edit2", std::string(300, 'x'));
        d.UserClick("CheckBox1");
        d.UserClick("BitBtn1");
    });
    Click(Action(item, "Edit Current Item"));
    EXPECT_EQ(Captions(run), (std::vector<std::string>{"a", "B", "c"}));
    EXPECT_EQ(item.Tag()->target, std::string(260, 'x'));
    EXPECT_EQ(item.Tag()->runAsAdmin, 1);
    EXPECT_EQ(item.Tag()->isGroup, 0);
}

TEST_F(EntryCommandsTest, DeletingAnItemNeverAsksAndReleasesItsRecord) {
    RunItem("a");
    MenuNode& doomed = RunItem("b");
    MenuNode& command = Action(doomed, "Delete Current Item"); // its submenu is open now
    const long records = LinkEntry::LiveCount();
    const long nodes = MenuNode::LiveCount();
    const long nodesOfItem = 1 + 1 + 5 + 1 + 2; // item, Actions and its 5, separator, 2 links
    // The clicked command lives inside the deleted entry: under ASan any later use of it
    // would fail this test.
    Click(command);
    EXPECT_TRUE(fake.log.Matching("AskYesNo").empty());
    EXPECT_EQ(Captions(run), (std::vector<std::string>{"a"}));
    EXPECT_EQ(LinkEntry::LiveCount(), records - 1);
    EXPECT_EQ(MenuNode::LiveCount(), nodes - nodesOfItem);
}

TEST_F(EntryCommandsTest, DeletingAGroupAsksOnceAndTakesEverythingBelow) {
    MenuNode& group = CreateGroupEntry(run, "G", LinkKindRun, 0);
    MenuNode& inner = CreateGroupEntry(group, "inner", LinkKindRun, 0);
    CreateItemEntry(inner, ItemFields{"deep", "cmd", "", "", 0, LinkKindRun, 1});
    RunItem("stays");
    const long records = LinkEntry::LiveCount();

    fake.ui.messageBoxAnswers = {MessageBoxResult::No};
    Click(Action(group, "Delete Current Item"));
    EXPECT_EQ(Captions(run), (std::vector<std::string>{"G", "stays"}));
    EXPECT_EQ(LinkEntry::LiveCount(), records);

    fake.log.calls.clear();
    fake.ui.messageBoxAnswers = {MessageBoxResult::Yes};
    Click(Action(group, "Delete Current Item"));
    EXPECT_EQ(fake.log.calls,
              (std::vector<std::string>{
                  "AskYesNo title=Confirm text=Are you sure you want to delete this group?",
                  "StartTimer 2 1000"}));
    EXPECT_EQ(Captions(run), (std::vector<std::string>{"stays"}));
    EXPECT_EQ(LinkEntry::LiveCount(), records - 3);
}

TEST_F(EntryCommandsTest, DeletingANestedEntryFromItsOwnSubmenuIsSafe) {
    MenuNode& group = CreateGroupEntry(run, "G", LinkKindRun, 0);
    MenuNode& child = CreateGroupEntry(group, "child", LinkKindRun, 0);
    fake.ui.messageBoxAnswers = {MessageBoxResult::Yes};
    Click(Action(child, "Delete Current Item"));
    EXPECT_EQ(group.Count(), 2u);
    // The survivor still works.
    fake.ui.messageBoxAnswers = {MessageBoxResult::Yes};
    Click(Action(group, "Delete Current Item"));
    EXPECT_EQ(run.Count(), 2u);
}

TEST_F(EntryCommandsTest, MovesStayWithinTheParentAndBehindTheFixedItems) {
    MenuNode& a = RunItem("a");
    MenuNode& g = CreateGroupEntry(run, "g", LinkKindRun, 0);
    MenuNode& c = RunItem("c");
    Click(Action(a, "Move Current Item to Up"));
    EXPECT_EQ(Captions(run), (std::vector<std::string>{"a", "g", "c"}));
    Click(Action(c, "Move Current Item to Down"));
    EXPECT_EQ(Captions(run), (std::vector<std::string>{"a", "g", "c"}));
    Click(Action(g, "Move Current Item to Up"));
    EXPECT_EQ(Captions(run), (std::vector<std::string>{"g", "a", "c"}));
    Click(Action(g, "Move Current Item to Down"));
    Click(Action(g, "Move Current Item to Down"));
    EXPECT_EQ(Captions(run), (std::vector<std::string>{"a", "c", "g"}));
    EXPECT_EQ(run.Child(0).caption, "Add New Item");
    EXPECT_TRUE(run.Child(1).IsSeparator());

    // Alone in a group: both moves leave "Actions" and the separator where they are.
    MenuNode& only = CreateItemEntry(g, ItemFields{"only", "x", "", "", 0, LinkKindRun, 1});
    Click(Action(only, "Move Current Item to Up"));
    Click(Action(only, "Move Current Item to Down"));
    EXPECT_EQ(Captions(g, 0), (std::vector<std::string>{"Actions", "-", "only"}));
}

TEST_F(EntryCommandsTest, CommandsWithoutAnEntryDoNothing) {
    MenuNode detached("Delete Current Item", 20, Command::DeleteItem);
    MenuNode actions("Actions", 24);
    MenuNode& orphan = actions.Append("Move Current Item to Up", 34, Command::MoveUp);
    MenuNode& group = CreateGroupEntry(run, "no record", LinkKindRun, 0);
    group.ReleaseTag();
    fake.ui.messageBoxAnswers = {MessageBoxResult::Yes};
    for (MenuNode* clicked : {&detached, &orphan, &Action(group, "Delete Current Item"),
                              &Action(group, "Edit Current Item")})
        Click(*clicked);
    EXPECT_TRUE(fake.log.calls.empty());
    EXPECT_EQ(Captions(run), (std::vector<std::string>{"no record"}));
}

} // namespace
} // namespace vantrel
