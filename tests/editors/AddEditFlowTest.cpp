// The add and edit flow over the editor of every category.
#include "app/MenuLayout.h"
#include "editors/AddApplicationDialog.h"
#include "editors/AddEditFlow.h"
#include "editors/AddFileDialog.h"
#include "editors/AddNetworkDialog.h"
#include "editors/AddRunDialog.h"
#include "fakes/FakePlatform.h"
#include "tree/Entries.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using testing::FakePlatform;

std::unique_ptr<EntryDialog> ApplicationDialog(FakePlatform& fake) {
    return std::make_unique<TFormAddApp>(fake.picker);
}

std::unique_ptr<EntryDialog> FilesDialog(FakePlatform& fake) {
    return std::make_unique<TFormAddFile>(fake.picker);
}

struct FlowFixture : ::testing::Test {
    FakePlatform fake;
    MainMenuLayout menu = BuildPopupMenuMain();
};

using FindContainerTest = FlowFixture;

TEST_F(FindContainerTest, CategoryItemsAndGroupActions) {
    for (MenuNode* category : menu.categories.InFileOrder()) {
        const auto place = FindAddContainer(category->Child(0), menu.categories);
        ASSERT_TRUE(place);
        EXPECT_EQ(place->container, category);
        EXPECT_EQ(menu.categories.OfKind(place->kind), category);
    }
    MenuNode& group = CreateGroupEntry(*menu.categories.internet, "g", LinkKindInternet, 0);
    MenuNode& nested = CreateGroupEntry(group, "inner", LinkKindInternet, 0);
    const auto place = FindAddContainer(nested.Child(0).Child(0), menu.categories);
    ASSERT_TRUE(place);
    EXPECT_EQ(place->container, &nested);
    EXPECT_EQ(place->kind, LinkKindInternet);
}

TEST_F(FindContainerTest, MissingLinksRecordsAndForeignKindsFindNothing) {
    MenuNode lonely;
    EXPECT_FALSE(FindAddContainer(lonely, menu.categories));
    MenuNode actionsWithoutEntry;
    MenuNode& add = actionsWithoutEntry.Append("Add New Item", 18, Command::AddNewItem);
    EXPECT_FALSE(FindAddContainer(add, menu.categories));

    MenuNode& group = CreateGroupEntry(*menu.categories.run, "g", LinkKindRun, 0);
    MenuNode& groupAdd = group.Child(0).Child(0);
    group.Tag()->kind = LinkKindSystem;
    EXPECT_FALSE(FindAddContainer(groupAdd, menu.categories));
    group.ReleaseTag();
    EXPECT_FALSE(FindAddContainer(groupAdd, menu.categories));
}

using PrepareTest = FlowFixture;

TEST_F(PrepareTest, AddingResetsWhatAnEarlierUseLeft) {
    TFormAddRun run(fake.shell);
    // An earlier edit of a group locked the item mode and left texts and the check box.
    run.SetEnabled("RadioButton1", false);
    run.SetChecked("RadioButton2", true);
    run.SetText("Edit1", "old");
    run.SetText("Edit3", "old group");
    run.SetChecked("CheckBox1", true);

    PrepareForAdd(run);
    EXPECT_TRUE(run.Enabled("RadioButton1"));
    EXPECT_TRUE(run.Enabled("RadioButton2"));
    EXPECT_TRUE(run.Checked("RadioButton1"));
    EXPECT_TRUE(run.Enabled("Edit1"));
    EXPECT_FALSE(run.Enabled("Edit3"));
    EXPECT_FALSE(run.Checked("CheckBox1"));
    for (const char* edit : {"Edit1", "Edit2", "Edit3"})
        EXPECT_EQ(run.Text(edit), "") << edit;

    const auto files = FilesDialog(fake);
    files->SetEnabled("RadioButton2", false);
    files->SetText("Edit5", "x");
    PrepareForAdd(*files);
    EXPECT_TRUE(files->Checked("RadioButton2")); // folder mode
    for (const char* radio : {"RadioButton1", "RadioButton2", "RadioButton3"})
        EXPECT_TRUE(files->Enabled(radio)) << radio;
    EXPECT_FALSE(files->Enabled("Edit1"));
    EXPECT_TRUE(files->Enabled("Edit4"));
    EXPECT_EQ(files->Text("Edit5"), "");
}

struct EditPrepareCase {
    const char* label;
    std::function<std::unique_ptr<EntryDialog>(FakePlatform&)> dialog;
    std::uint8_t kind, entryType, isGroup, runAsAdmin;
    const char* checked;
    std::vector<std::string> enabledRadios;
    std::map<std::string, std::string> texts; // every edit field
    bool checkBox;
};

std::unique_ptr<EntryDialog> RunDialog(FakePlatform& fake) {
    return std::make_unique<TFormAddRun>(fake.shell);
}

TEST_F(PrepareTest, EditingLocksTheEntrysModeAndFillsOnlyItsFields) {
    const auto app = ApplicationDialog;
    const auto files = FilesDialog;
    const EditPrepareCase cases[] = {
        {"run item", RunDialog, LinkKindRun, 1, 0, 1, "RadioButton1", {"RadioButton1"},
         {{"Edit1", "T"}, {"Edit2", "X"}, {"Edit3", ""}}, true},
        {"run group", RunDialog, LinkKindRun, 0, 1, 0, "RadioButton2", {"RadioButton2"},
         {{"Edit1", ""}, {"Edit2", ""}, {"Edit3", "T"}}, false},
        {"run group told by IsGroup", RunDialog, LinkKindRun, 1, 1, 0, "RadioButton2",
         {"RadioButton2"}, {{"Edit1", ""}, {"Edit2", ""}, {"Edit3", "T"}}, false},
        {"application", app, LinkKindApplication, 1, 0, 0, "RadioButton1", {"RadioButton1"},
         {{"Edit1", "T"}, {"Edit2", "X"}, {"Edit3", "P"}, {"Edit4", "W"}, {"Edit5", ""}},
         false},
        {"file", files, LinkKindFile, 1, 0, 0, "RadioButton1", {"RadioButton1"},
         {{"Edit1", "T"}, {"Edit2", "X"}, {"Edit3", ""}, {"Edit4", ""}, {"Edit5", ""}}, false},
        {"folder", files, LinkKindFile, 2, 0, 0, "RadioButton2", {"RadioButton2"},
         {{"Edit1", ""}, {"Edit2", ""}, {"Edit3", "T"}, {"Edit4", "X"}, {"Edit5", ""}}, false},
        {"file of another type is a folder", files, LinkKindFile, 9, 0, 0, "RadioButton2",
         {"RadioButton2"}, {{"Edit3", "T"}, {"Edit4", "X"}}, false},
        {"files group told by EntryType", files, LinkKindFile, 0, 0, 0, "RadioButton3",
         {"RadioButton3"}, {{"Edit1", ""}, {"Edit4", ""}, {"Edit5", "T"}}, false},
    };
    for (const EditPrepareCase& c : cases) {
        const auto dialog = c.dialog(fake);
        PrepareForAdd(*dialog);
        dialog->SetText("Edit1", "left over");
        LinkEntry entry;
        entry.title = "T";
        entry.target = "X";
        entry.parameters = "P";
        entry.workDir = "W";
        entry.kind = c.kind;
        entry.entryType = c.entryType;
        entry.isGroup = c.isGroup;
        entry.runAsAdmin = c.runAsAdmin;
        const EntryDialogMode& mode = PrepareForEdit(*dialog, entry);
        EXPECT_EQ(mode.radio, c.checked) << c.label;
        EXPECT_TRUE(dialog->Checked(c.checked)) << c.label;
        for (const EntryDialogMode& m : dialog->Modes()) {
            const bool expected = std::count(c.enabledRadios.begin(), c.enabledRadios.end(),
                                             m.radio) != 0;
            EXPECT_EQ(dialog->Enabled(m.radio), expected) << c.label << " " << m.radio;
        }
        for (const auto& [field, text] : c.texts)
            EXPECT_EQ(dialog->Text(field), text) << c.label << " " << field;
        if (c.kind != LinkKindFile) { // the files editor has no check box
            EXPECT_EQ(dialog->Checked("CheckBox1"), c.checkBox) << c.label;
        }
        EXPECT_TRUE(dialog->Enabled(mode.title)) << c.label;
    }
}

using CreateTest = FlowFixture;

struct CreateCase {
    const char* label;
    std::function<std::unique_ptr<EntryDialog>(FakePlatform&)> dialog;
    std::uint8_t kind;
    const char* mode;
    std::map<std::string, std::string> typed;
    bool checkBox;
    // The record made.
    std::string title, target, parameters, workDir;
    std::uint8_t runAsAdmin, entryType, isGroup;
};

TEST_F(CreateTest, FieldsMapOntoTheNewRecordByMode) {
    const auto app = ApplicationDialog;
    const auto files = FilesDialog;
    const auto network = [](FakePlatform&) { return std::make_unique<TFormAddNetwork>(); };
    const std::map<std::string, std::string> all{{"Edit1", "e1"}, {"Edit2", "e2"},
                                                 {"Edit3", "e3"}, {"Edit4", "e4"},
                                                 {"Edit5", "e5"}};
    const CreateCase cases[] = {
        {"run item", RunDialog, LinkKindRun, "RadioButton1",
         {{"Edit1", "e1"}, {"Edit2", "e2"}, {"Edit3", "e3"}}, true, "e1", "e2", "", "", 1, 1, 0},
        {"run group", RunDialog, LinkKindRun, "RadioButton2",
         {{"Edit1", "e1"}, {"Edit2", "e2"}, {"Edit3", "e3"}}, true, "e3", "", "", "", 0, 0, 1},
        {"network item", network, LinkKindNetwork, "RadioButton1",
         {{"Edit1", "e1"}, {"Edit2", "\\\\srv\\share"}}, false, "e1", "\\\\srv\\share", "", "",
         0, 1, 0},
        {"application item", app, LinkKindApplication, "RadioButton1", all, true, "e1", "e2",
         "e3", "e4", 1, 1, 0},
        {"application group", app, LinkKindApplication, "RadioButton2", all, true, "e5", "", "",
         "", 0, 0, 1},
        {"file", files, LinkKindFile, "RadioButton1", all, false, "e1", "e2", "", "", 0, 1, 0},
        {"folder", files, LinkKindFile, "RadioButton2", all, false, "e3", "e4", "", "", 0, 2, 0},
        {"files group", files, LinkKindFile, "RadioButton3", all, false, "e5", "", "", "", 0, 0,
         1},
    };
    for (const CreateCase& c : cases) {
        const auto dialog = c.dialog(fake);
        const MainMenuLayout fresh = BuildPopupMenuMain();
        MenuNode& category = *fresh.categories.OfKind(c.kind);
        CreateItemEntry(category, ItemFields{"already there", "x", "", "", 0, c.kind, 1});
        PrepareForAdd(*dialog);
        for (const auto& [field, text] : c.typed)
            dialog->SetText(field, text);
        if (c.checkBox)
            dialog->SetChecked("CheckBox1", true);
        dialog->SetChecked(c.mode, true);

        MenuNode& created = CreateEntryFromDialog(*dialog, category, c.kind);
        EXPECT_EQ(created.IndexInParent(), static_cast<int>(category.Count()) - 1) << c.label;
        const LinkEntry& record = *created.Tag();
        EXPECT_EQ(created.caption, c.title) << c.label;
        EXPECT_EQ(record.title, c.title) << c.label;
        EXPECT_EQ(record.target, c.target) << c.label;
        EXPECT_EQ(record.parameters, c.parameters) << c.label;
        EXPECT_EQ(record.workDir, c.workDir) << c.label;
        EXPECT_EQ(record.runAsAdmin, c.runAsAdmin) << c.label;
        EXPECT_EQ(record.kind, c.kind) << c.label;
        EXPECT_EQ(record.entryType, c.entryType) << c.label;
        EXPECT_EQ(record.isGroup, c.isGroup) << c.label;
    }
}

using StoreTest = FlowFixture;

LinkEntry& NewNetworkItem(MenuNode& category) {
    MenuNode& node = CreateItemEntry(
        category, ItemFields{"Share", "\\\\srv\\a", "odd params", "odd dir", 1, LinkKindNetwork, 1});
    return *node.Tag();
}

TEST_F(StoreTest, ItemEditWritesOnlyItsModesFieldsAndNeverTheKindOrType) {
    MenuNode& category = *menu.categories.network;
    LinkEntry& record = NewNetworkItem(category);
    MenuNode& node = category.Child(2);
    TFormAddNetwork dialog;
    const EntryDialogMode& mode = PrepareForEdit(dialog, record);
    EXPECT_EQ(dialog.Text("Edit2"), "\\\\srv\\a");
    dialog.SetText("Edit1", "Tom & Jerry");
    dialog.SetText("Edit2", "srv/b");
    StoreEdit(dialog, mode, node);
    EXPECT_EQ(node.caption, "Tom & Jerry");
    EXPECT_EQ(record.title, "Tom & Jerry");
    EXPECT_EQ(record.target, "srv/b");
    // A network item holds no such fields: whatever the record had stays.
    EXPECT_EQ(record.parameters, "odd params");
    EXPECT_EQ(record.workDir, "odd dir");
    EXPECT_EQ(record.runAsAdmin, 1);
    EXPECT_EQ(record.kind, LinkKindNetwork);
    EXPECT_EQ(record.entryType, 1);
    EXPECT_EQ(record.isGroup, 0);
}

TEST_F(StoreTest, EmptyTitlesOrTargetsStoreNothing) {
    struct Case {
        std::string title, target;
    };
    for (const Case& c : {Case{"", "x"}, Case{"t", ""}, Case{"", ""}}) {
        MenuNode& category = *menu.categories.network;
        LinkEntry& record = NewNetworkItem(category);
        MenuNode& node = category.Child(category.Count() - 1);
        TFormAddNetwork dialog;
        const EntryDialogMode& mode = PrepareForEdit(dialog, record);
        dialog.SetText("Edit1", c.title);
        dialog.SetText("Edit2", c.target);
        EXPECT_FALSE(StoreEdit(dialog, mode, node));
        EXPECT_EQ(record.title, "Share");
        EXPECT_EQ(record.target, "\\\\srv\\a");
        EXPECT_EQ(node.caption, "Share");
    }
    MenuNode& group = CreateGroupEntry(*menu.categories.run, "Keep", LinkKindRun, 0);
    TFormAddRun run(fake.shell);
    const EntryDialogMode& mode = PrepareForEdit(run, *group.Tag());
    run.SetText("Edit3", "");
    EXPECT_FALSE(StoreEdit(run, mode, group));
    EXPECT_EQ(group.Tag()->title, "Keep");
    run.SetText("Edit3", " ");
    EXPECT_TRUE(StoreEdit(run, mode, group));
    EXPECT_EQ(group.caption, " ");
    EXPECT_EQ(group.Tag()->isGroup, 1);
    EXPECT_EQ(group.Tag()->target, "");
}

TEST_F(StoreTest, RunItemTakesTheCheckBoxApplicationsStoreClearedFields) {
    MenuNode& runItem = CreateItemEntry(*menu.categories.run,
                                        ItemFields{"c", "cmd", "", "", 0, LinkKindRun, 1});
    TFormAddRun run(fake.shell);
    const EntryDialogMode& runMode = PrepareForEdit(run, *runItem.Tag());
    run.SetChecked("CheckBox1", true);
    StoreEdit(run, runMode, runItem);
    EXPECT_EQ(runItem.Tag()->runAsAdmin, 1);

    MenuNode& appItem = CreateItemEntry(
        *menu.categories.applications,
        ItemFields{"a", "C:\\a.exe", "-x", "C:\\", 1, LinkKindApplication, 1});
    const auto app = ApplicationDialog(fake);
    const EntryDialogMode& appMode = PrepareForEdit(*app, *appItem.Tag());
    EXPECT_TRUE(app->Checked("CheckBox1"));
    app->SetText("Edit3", "");
    app->SetText("Edit4", "");
    app->SetChecked("CheckBox1", false);
    StoreEdit(*app, appMode, appItem);
    EXPECT_EQ(appItem.Tag()->parameters, "");
    EXPECT_EQ(appItem.Tag()->workDir, "");
    EXPECT_EQ(appItem.Tag()->runAsAdmin, 0);
}

TEST_F(StoreTest, CreatingAndEditingAskTheSystemNothing) {
    // The pictures of new and edited entries are read later, away from the dialog.
    const auto app = ApplicationDialog(fake);
    PrepareForAdd(*app);
    app->SetText("Edit1", "Notepad");
    app->SetText("Edit2", "notepad.exe");
    MenuNode& notepad =
        CreateEntryFromDialog(*app, *menu.categories.applications, LinkKindApplication);
    const EntryDialogMode& mode = PrepareForEdit(*app, *notepad.Tag());
    app->SetText("Edit2", "calc.exe");
    EXPECT_TRUE(StoreEdit(*app, mode, notepad));
    EXPECT_EQ(notepad.Tag()->target, "calc.exe");
    EXPECT_FALSE(notepad.Tag()->HasPicture());
    EXPECT_TRUE(fake.log.calls.empty());
}

} // namespace
} // namespace vantrel
