// Adding and editing applications, files and folders from the menu, with the user picking
// through the dialogs' "..." buttons: what is stored, where, and that the new or edited
// entry's picture is read at once, ahead of everything else, from the real System32.
#include "app/Forms.h"
#include "app/MainForm.h"
#include "fakes/FakePlatform.h"
#include "tree/Entries.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using testing::FakeIcons;
using testing::FakePlatform;

MenuNode& Action(MenuNode& entry, const std::string& caption) {
    MenuNode& actions = entry.Child(0);
    for (std::size_t i = 0; i < actions.Count(); ++i)
        if (actions.Child(i).caption == caption)
            return actions.Child(i);
    throw std::out_of_range("no action " + caption);
}

// Every picture read first asks for the type of the target's drive: the targets here are on
// local disks, so the reading thread reads them.
const std::string ProgramPicker =
    "GetOpenFileName owner=Add/Edit Application filter=Executable files (*.exe)|*.exe;*.msc;";

struct AppFileFlowTest : ::testing::Test {
    FakePlatform fake;
    MainForm form{fake.platform};
    MenuNode& applications = *form.CategoryMenus().applications;
    MenuNode& files = *form.CategoryMenus().files;

    void ReadPictures() {
        while (fake.pictures.ReadNext())
            form.CollectPictures();
    }
    void Script(std::function<void(DialogModel&)> script) {
        fake.ui.dialogScripts.push_back(std::move(script));
    }
    void Click(MenuNode& item) {
        fake.log.calls.clear();
        form.MenuItemClick(item);
        form.TimerElapsed(SaveTimer); // the next change starts the save timer again
    }
    MenuNode& Last(MenuNode& container) { return container.Child(container.Count() - 1); }
};

TEST_F(AppFileFlowTest, AddingAnApplicationByPickingTheProgram) {
    CreateItemEntry(applications, ItemFields{"first", "a.exe", "", "", 0, LinkKindApplication, 1});
    fake.icons.byPath["C:\\Windows\\notepad.exe"] = FakeIcons::Solid(10, 20, 30);
    fake.pickers.fileAnswers = {"C:\\Windows\\notepad.exe"};
    Script([](DialogModel& d) {
        d.UserClick("Button1");
        d.UserType("Edit3", "/A readme.txt");
        d.UserClick("CheckBox1");
        d.UserClick("BitBtn1");
    });
    Click(*form.PopupMenuMain().Find("AddNewItem2"));
    EXPECT_EQ(fake.log.calls,
              (std::vector<std::string>{"ShowModal Add/Edit Application",
                                        ProgramPicker + " dir= file=", "StartTimer 2 1000",
                                        "GetDriveType C:\\",
                                        "ReadPicture C:\\Windows\\notepad.exe system32 urgent"}));
    ASSERT_EQ(applications.Count(), 4u);
    const MenuNode& added = Last(applications);
    const LinkEntry& record = *added.Tag();
    EXPECT_EQ(added.caption, "notepad");
    EXPECT_EQ(record.title, "notepad");
    EXPECT_EQ(record.target, "C:\\Windows\\notepad.exe");
    EXPECT_EQ(record.parameters, "/A readme.txt");
    EXPECT_EQ(record.workDir, "C:\\Windows");
    EXPECT_EQ(record.runAsAdmin, 1);
    EXPECT_EQ(record.kind, LinkKindApplication);
    EXPECT_EQ(record.entryType, 1);
    EXPECT_EQ(record.isGroup, 0);
    ReadPictures();
    EXPECT_EQ(record.Pixels()[0], 10);
}

TEST_F(AppFileFlowTest, AddingAFolderStartsInFolderModeAndStoresOneTrailingBackslash) {
    bool freshFolderMode = false;
    fake.pickers.folderAnswers = {"C:\\Users\\Public"};
    Script([&](DialogModel& d) {
        freshFolderMode = d.Checked("RadioButton2") && d.Enabled("RadioButton1") &&
                          d.Enabled("RadioButton3") && !d.Enabled("Edit1") && !d.Enabled("Edit5") &&
                          d.Enabled("Edit4");
        for (const char* edit : {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5"})
            freshFolderMode = freshFolderMode && d.Text(edit).empty();
        d.UserClick("Button2");
        d.UserClick("BitBtn1");
    });
    Click(*form.PopupMenuMain().Find("AddNewItem5"));
    EXPECT_TRUE(freshFolderMode);
    EXPECT_EQ(fake.log.calls,
              (std::vector<std::string>{
                  "ShowModal Add/Edit File or Folder",
                  "SHBrowseForFolder owner=Add/Edit File or Folder start=", "StartTimer 2 1000",
                  "GetDriveType C:\\", "ReadPicture C:\\Users\\Public\\ system32 urgent"}));
    const LinkEntry& record = *Last(files).Tag();
    EXPECT_EQ(record.title, "Public");
    EXPECT_EQ(record.target, "C:\\Users\\Public\\");
    EXPECT_EQ(record.entryType, EntryTypeFolder);
    EXPECT_EQ(record.kind, LinkKindFile);
}

TEST_F(AppFileFlowTest, AddingAFileInAGroupPutsItLastInTheGroup) {
    MenuNode& group = CreateGroupEntry(files, "Docs", LinkKindFile, 0);
    CreateGroupEntry(files, "After", LinkKindFile, 0);
    fake.pickers.fileAnswers = {"C:\\Docs\\report.final.pdf"};
    Script([](DialogModel& d) {
        d.UserClick("RadioButton1");
        d.UserClick("Button1");
        d.UserClick("BitBtn1");
    });
    Click(Action(group, "Add New Item"));
    EXPECT_EQ(fake.log.calls,
              (std::vector<std::string>{"ShowModal Add/Edit File or Folder",
                                        "GetOpenFileName owner=Add/Edit File or Folder filter= "
                                        "dir= file=",
                                        "StartTimer 2 1000", "GetDriveType C:\\",
                                        "ReadPicture C:\\Docs\\report.final.pdf system32 urgent"}));
    ASSERT_EQ(group.Count(), 3u);
    const LinkEntry& record = *Last(group).Tag();
    EXPECT_EQ(record.title, "report");
    EXPECT_EQ(record.target, "C:\\Docs\\report.final.pdf");
    EXPECT_EQ(record.entryType, EntryTypeItem);
    EXPECT_EQ(Last(files).caption, "After");
}

TEST_F(AppFileFlowTest, RefusedOkOrCancelledPickersAddNothing) {
    Script([](DialogModel& d) {
        d.UserType("Edit3", "title only"); // folder mode without a folder name
        d.UserClick("BitBtn1");
    });
    Script([](DialogModel& d) {
        d.UserType("Edit1", "App");
        d.UserClick("Button1"); // cancelled
        d.UserClick("Button2"); // cancelled
        d.UserClick("BitBtn1"); // refused: no file name
    });
    const std::size_t before = files.Count() + applications.Count();
    form.MenuItemClick(*form.PopupMenuMain().Find("AddNewItem5"));
    form.MenuItemClick(*form.PopupMenuMain().Find("AddNewItem2"));
    EXPECT_EQ(files.Count() + applications.Count(), before);
    EXPECT_TRUE(fake.log.Matching("ReadPicture").empty());
}

TEST_F(AppFileFlowTest, EditingAnApplicationStartsThePickerFromItsProgram) {
    MenuNode& app = CreateItemEntry(
        applications,
        ItemFields{"Notepad", "notepad.exe", "-x", "C:\\Windows", 1, LinkKindApplication, 1});
    fake.icons.byPath["C:\\Tools\\calc.exe"] = FakeIcons::Solid(5, 5, 5);
    fake.pickers.fileAnswers = {"C:\\Tools\\calc.exe"};
    bool lockedAndFilled = false;
    Script([&](DialogModel& d) {
        lockedAndFilled = !d.Enabled("RadioButton2") && d.Text("Edit2") == "notepad.exe" &&
                          d.Text("Edit3") == "-x" && d.Checked("CheckBox1");
        d.UserClick("Button1");
        d.UserClick("CheckBox1");
        d.UserClick("BitBtn1");
    });
    Click(Action(app, "Edit Current Item"));
    EXPECT_TRUE(lockedAndFilled);
    EXPECT_EQ(fake.log.calls,
              (std::vector<std::string>{"ShowModal Add/Edit Application",
                                        ProgramPicker + " dir= file=notepad.exe",
                                        "StartTimer 2 1000", "GetDriveType C:\\",
                                        "ReadPicture C:\\Tools\\calc.exe system32 urgent"}));
    const LinkEntry& record = *app.Tag();
    EXPECT_EQ(app.caption, "Notepad"); // the typed title stays
    EXPECT_EQ(record.target, "C:\\Tools\\calc.exe");
    EXPECT_EQ(record.parameters, "-x");
    EXPECT_EQ(record.workDir, "C:\\Tools");
    EXPECT_EQ(record.runAsAdmin, 0);
    ReadPictures();
    EXPECT_EQ(record.Pixels()[0], 5);
}

struct FilesEditCase {
    const char* label;
    std::uint8_t entryType;
    const char* radio; // the one mode left selectable
    const char* otherModes[2];
    const char* titleField;
    const char* targetField;
    const char* button;
    std::string pickerLine;
    std::string newTarget; // after the pick
};

TEST_F(AppFileFlowTest, EditingAFileOrFolderKeepsItsModeAndReadsItsPictureAgain) {
    const FilesEditCase cases[] = {
        {"folder",
         EntryTypeFolder,
         "RadioButton2",
         {"RadioButton1", "RadioButton3"},
         "Edit3",
         "Edit4",
         "Button2",
         "SHBrowseForFolder owner=Add/Edit File or Folder start=D:\\Old\\",
         "D:\\"},
        {"file",
         EntryTypeItem,
         "RadioButton1",
         {"RadioButton2", "RadioButton3"},
         "Edit1",
         "Edit2",
         "Button1",
         "GetOpenFileName owner=Add/Edit File or Folder filter= dir=D:\\Old file=",
         "D:\\new.txt"},
    };
    for (const FilesEditCase& c : cases) {
        MenuNode& entry = CreateItemEntry(
            files, ItemFields{"Kept", "D:\\Old\\", "", "", 0, LinkKindFile, c.entryType});
        if (c.entryType == EntryTypeFolder)
            fake.pickers.folderAnswers = {"D:\\"};
        else
            fake.pickers.fileAnswers = {"D:\\new.txt"};
        bool locked = false;
        Script([&](DialogModel& d) {
            locked = d.Checked(c.radio) && !d.Enabled(c.otherModes[0]) &&
                     !d.Enabled(c.otherModes[1]) && d.Text(c.titleField) == "Kept" &&
                     d.Text(c.targetField) == "D:\\Old\\";
            d.UserClick(c.otherModes[0]); // disabled: the mode stays
            d.UserClick(c.button);
            d.UserClick("BitBtn1");
        });
        Click(Action(entry, "Edit Current Item"));
        EXPECT_TRUE(locked) << c.label;
        EXPECT_EQ(fake.log.calls,
                  (std::vector<std::string>{"ShowModal Add/Edit File or Folder", c.pickerLine,
                                            "StartTimer 2 1000", "GetDriveType D:\\",
                                            "ReadPicture " + c.newTarget + " system32 urgent"}))
            << c.label;
        EXPECT_EQ(entry.caption, "Kept") << c.label;
        EXPECT_EQ(entry.Tag()->target, c.newTarget) << c.label;
        EXPECT_EQ(entry.Tag()->entryType, c.entryType) << c.label;
        ReadPictures();
    }
}

} // namespace
} // namespace vantrel
