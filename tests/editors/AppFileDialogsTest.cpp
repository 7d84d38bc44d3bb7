// The application editor and the file and folder editor: layout, modes, OK, and what their
// "..." buttons ask of the pickers and make of the answers.
#include "editors/AddApplicationDialog.h"
#include "editors/AddFileDialog.h"
#include "editors/ControlTable.h"
#include "editors/Picking.h"
#include "fakes/FakePlatform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>

namespace vantrel {
namespace {

using testing::FakePlatform;

struct Placement {
    std::string control;
    Box box;
    unsigned maxLength;
    Initially state;
};

std::tuple<int, int, int, int, unsigned, bool, bool> Describe(const Control& control) {
    return {control.left,      control.top,     control.width,  control.height,
            control.maxLength, control.enabled, control.checked};
}

std::tuple<int, int, int, int, unsigned, bool, bool> Describe(const Placement& p) {
    return {p.box.left,
            p.box.top,
            p.box.width,
            p.box.height,
            p.maxLength,
            p.state != Initially::Disabled,
            p.state == Initially::Checked};
}

void ExpectLayout(const DialogModel& dialog, const std::vector<Placement>& placements) {
    ASSERT_EQ(dialog.Controls().size(), placements.size()) << dialog.Caption();
    for (const Placement& p : placements)
        EXPECT_EQ(Describe(dialog[p.control]), Describe(p)) << dialog.Caption() << " " << p.control;
}

TEST(AppFileDialogsTest, ApplicationEditorIsLaidOutAsDesigned) {
    FakePlatform fake;
    TFormAddApp dialog(fake.picker);
    EXPECT_EQ(dialog.Caption(), "Add/Edit Application");
    EXPECT_EQ(std::make_pair(dialog.ClientWidth(), dialog.ClientHeight()),
              std::make_pair(400, 280));
    using I = Initially;
    ExpectLayout(dialog, {
                             {"RadioButton1", {8, 8, 113, 17}, 0, I::Checked},
                             {"Label1", {24, 34, 0, 0}, 0, I::Enabled},
                             {"Edit1", {90, 31, 250, 21}, 100, I::Enabled},
                             {"Label3", {24, 61, 0, 0}, 0, I::Enabled},
                             {"Edit2", {90, 58, 250, 21}, 260, I::Enabled},
                             {"Button1", {350, 56, 40, 25}, 0, I::Enabled},
                             {"Label2", {24, 88, 0, 0}, 0, I::Enabled},
                             {"Edit3", {90, 85, 250, 21}, 260, I::Enabled},
                             {"Label4", {24, 115, 0, 0}, 0, I::Enabled},
                             {"Edit4", {90, 112, 250, 21}, 260, I::Enabled},
                             {"Button2", {350, 110, 40, 25}, 0, I::Enabled},
                             {"CheckBox1", {90, 140, 128, 17}, 0, I::Enabled},
                             {"Bevel1", {16, 166, 376, 2}, 0, I::Enabled},
                             {"RadioButton2", {8, 180, 113, 17}, 0, I::Enabled},
                             {"Label5", {24, 205, 0, 0}, 0, I::Disabled},
                             {"Edit5", {90, 202, 250, 21}, 100, I::Disabled},
                             {"Bevel2", {16, 236, 376, 2}, 0, I::Enabled},
                             {"BitBtn1", {120, 247, 75, 25}, 0, I::Enabled},
                             {"BitBtn2", {205, 247, 75, 25}, 0, I::Enabled},
                         });
    const std::pair<const char*, const char*> texts[] = {{"RadioButton1", "Add/Edit item"},
                                                         {"Label1", "Title:"},
                                                         {"Label3", "File name:"},
                                                         {"Button1", "..."},
                                                         {"Label2", "Parameters:"},
                                                         {"Label4", "Work dir:"},
                                                         {"Button2", "..."},
                                                         {"CheckBox1", "Run as administrator"},
                                                         {"RadioButton2", "Add/Edit group"},
                                                         {"Label5", "Title:"},
                                                         {"BitBtn1", "Ok"},
                                                         {"BitBtn2", "Cancel"}};
    for (const auto& [control, text] : texts)
        EXPECT_EQ(dialog.Text(control), text) << control;
    EXPECT_EQ(dialog["BitBtn1"].glyph, Glyph::Ok);
    EXPECT_EQ(dialog["BitBtn2"].glyph, Glyph::Cancel);
    EXPECT_EQ(dialog["Bevel2"].kind, ControlKind::Bevel);
}

TEST(AppFileDialogsTest, FileEditorIsLaidOutAsDesignedAndStartsInFolderMode) {
    FakePlatform fake;
    TFormAddFile dialog(fake.picker);
    EXPECT_EQ(dialog.Caption(), "Add/Edit File or Folder");
    EXPECT_EQ(std::make_pair(dialog.ClientWidth(), dialog.ClientHeight()),
              std::make_pair(402, 304));
    using I = Initially;
    ExpectLayout(dialog, {
                             {"RadioButton1", {8, 8, 113, 17}, 0, I::Enabled},
                             {"Label1", {24, 34, 0, 0}, 0, I::Disabled},
                             {"Edit1", {92, 31, 250, 21}, 100, I::Disabled},
                             {"Label2", {24, 61, 0, 0}, 0, I::Disabled},
                             {"Edit2", {92, 58, 250, 21}, 260, I::Disabled},
                             {"Button1", {350, 56, 40, 25}, 0, I::Disabled},
                             {"Bevel1", {16, 92, 376, 2}, 0, I::Enabled},
                             {"RadioButton2", {8, 104, 129, 17}, 0, I::Checked},
                             {"Label3", {24, 130, 0, 0}, 0, I::Enabled},
                             {"Edit3", {92, 127, 250, 21}, 100, I::Enabled},
                             {"Label4", {24, 157, 0, 0}, 0, I::Enabled},
                             {"Edit4", {92, 154, 250, 21}, 260, I::Enabled},
                             {"Button2", {350, 152, 40, 25}, 0, I::Enabled},
                             {"Bevel3", {16, 188, 376, 2}, 0, I::Enabled},
                             {"RadioButton3", {8, 200, 113, 17}, 0, I::Enabled},
                             {"Label5", {24, 225, 0, 0}, 0, I::Disabled},
                             {"Edit5", {92, 222, 250, 21}, 100, I::Disabled},
                             {"Bevel2", {16, 256, 376, 2}, 0, I::Enabled},
                             {"BitBtn1", {120, 267, 75, 25}, 0, I::Enabled},
                             {"BitBtn2", {205, 267, 75, 25}, 0, I::Enabled},
                         });
    const std::pair<const char*, const char*> texts[] = {{"RadioButton1", "Add/Edit File item"},
                                                         {"Label2", "File name:"},
                                                         {"RadioButton2", "Add/Edit Folder item"},
                                                         {"Label4", "Folder name:"},
                                                         {"RadioButton3", "Add/Edit group"},
                                                         {"Button1", "..."},
                                                         {"Button2", "..."}};
    for (const auto& [control, text] : texts)
        EXPECT_EQ(dialog.Text(control), text) << control;
    EXPECT_THROW(dialog["CheckBox1"], std::out_of_range);
    EXPECT_EQ(dialog.AddMode().radio, "RadioButton2");
}

// The labels, edit fields, "..." buttons and check box that are enabled.
std::set<std::string> EnabledParts(const DialogModel& dialog) {
    std::set<std::string> enabled;
    for (const Control& control : dialog.Controls())
        if (control.enabled && control.kind != ControlKind::RadioButton &&
            control.kind != ControlKind::GlyphButton && control.kind != ControlKind::Bevel)
            enabled.insert(control.name);
    return enabled;
}

struct ModeCase {
    const char* radio;
    std::set<std::string> enabled;
};

TEST(AppFileDialogsTest, EachModeEnablesItsOwnPartAndKeepsEveryText) {
    FakePlatform fake;
    TFormAddApp app(fake.picker);
    TFormAddFile file(fake.picker);
    const std::set<std::string> appItem{"Label1",  "Edit1",   "Label3",   "Edit2",
                                        "Button1", "Label2",  "Edit3",    "Label4",
                                        "Edit4",   "Button2", "CheckBox1"};
    EXPECT_EQ(EnabledParts(app), appItem);
    EXPECT_EQ(EnabledParts(file),
              (std::set<std::string>{"Label3", "Edit3", "Label4", "Edit4", "Button2"}));
    const std::pair<EntryDialog*, ModeCase> cases[] = {
        {&app, {"RadioButton2", {"Label5", "Edit5"}}},
        {&app, {"RadioButton1", appItem}},
        {&file, {"RadioButton1", {"Label1", "Edit1", "Label2", "Edit2", "Button1"}}},
        {&file, {"RadioButton3", {"Label5", "Edit5"}}},
        {&file, {"RadioButton2", {"Label3", "Edit3", "Label4", "Edit4", "Button2"}}},
    };
    for (auto& [dialog, c] : cases) {
        for (const char* edit : {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5"})
            dialog->SetText(edit, edit);
        dialog->UserClick(c.radio);
        EXPECT_EQ(EnabledParts(*dialog), c.enabled) << dialog->Caption() << " " << c.radio;
        for (const char* edit : {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5"})
            EXPECT_EQ(dialog->Text(edit), edit) << dialog->Caption() << " " << c.radio;
    }
}

struct OkCase {
    const char* label;
    const char* radio;
    std::vector<std::string> edits; // Edit1 to Edit5
    bool closes;
};

void ExpectOkCases(EntryDialog& dialog, const std::vector<OkCase>& cases) {
    for (const OkCase& c : cases) {
        dialog.SetChecked(c.radio, true);
        for (std::size_t i = 0; i < c.edits.size(); ++i)
            dialog.SetText("Edit" + std::to_string(i + 1), c.edits[i]);
        dialog.BeginModal();
        dialog.UserClick("BitBtn1");
        EXPECT_EQ(dialog.Result(), c.closes ? ModalResult::Ok : ModalResult::None)
            << dialog.Caption() << ": " << c.label;
    }
}

TEST(AppFileDialogsTest, OkClosesOnlyWhileTheCheckedModesFieldsHoldText) {
    FakePlatform fake;
    TFormAddApp app(fake.picker);
    ExpectOkCases(app, {
                           {"title and file", "RadioButton1", {"t", "f", "", "", ""}, true},
                           {"blanks count", "RadioButton1", {" ", " ", "", "", ""}, true},
                           {"no file name", "RadioButton1", {"t", "", "p", "w", "g"}, false},
                           {"no title", "RadioButton1", {"", "f", "p", "w", "g"}, false},
                           {"group title only", "RadioButton2", {"", "", "", "", "g"}, true},
                           {"group empty", "RadioButton2", {"t", "f", "p", "w", ""}, false},
                       });
    TFormAddFile file(fake.picker);
    ExpectOkCases(
        file,
        {
            {"file filled", "RadioButton1", {"t", "f", "", "", ""}, true},
            {"file without name", "RadioButton1", {"t", "", "t", "d", "g"}, false},
            {"folder filled", "RadioButton2", {"", "", "t", "d", ""}, true},
            {"folder without name, file filled", "RadioButton2", {"t", "f", "t", "", "g"}, false},
            {"folder without title", "RadioButton2", {"t", "f", "", "d", "g"}, false},
            {"group", "RadioButton3", {"", "", "", "", " "}, true},
            {"group empty", "RadioButton3", {"t", "f", "t", "d", ""}, false},
        });
    file.UserClick("BitBtn2");
    EXPECT_EQ(file.Result(), ModalResult::Cancel);
}

struct FilePickCase {
    const char* label;
    std::string title;                 // Edit1 before the click
    std::string fileName;              // Edit2 before the click
    std::optional<std::string> chosen; // nullopt: cancelled
    std::string request;               // the picker's log line after "owner=..."
    std::string titleAfter, fileNameAfter, workDirAfter;
};

TEST(AppFileDialogsTest, ProgramPickFillsTitleFileNameAndWorkDir) {
    const std::string filter = " filter=Executable files (*.exe)|*.exe;*.msc;";
    const FilePickCase cases[] = {
        {"empty dialog", "", "", "C:\\Windows\\notepad.exe", filter + " dir= file=", "notepad",
         "C:\\Windows\\notepad.exe", "C:\\Windows"},
        {"typed title stays", "Editor", "", "C:\\Windows\\notepad.exe",
         filter + " dir= file=", "Editor", "C:\\Windows\\notepad.exe", "C:\\Windows"},
        {"cut at the first full stop", "", "", "C:\\Tools\\my.app.exe",
         filter + " dir= file=", "my", "C:\\Tools\\my.app.exe", "C:\\Tools"},
        {"several full stops", "", "", "D:\\archive.tar.gz", filter + " dir= file=", "archive",
         "D:\\archive.tar.gz", "D:\\"},
        {"no full stop", "", "", "C:\\Setup\\setup", filter + " dir= file=", "setup",
         "C:\\Setup\\setup", "C:\\Setup"},
        {"drive root keeps its backslash", "", "", "C:\\calc.exe", filter + " dir= file=", "calc",
         "C:\\calc.exe", "C:\\"},
        {"starts from the typed path", "", "C:\\Program Files\\App\\app.exe", "E:\\x.msc",
         filter + " dir=C:\\Program Files\\App file=app.exe", "x", "E:\\x.msc", "E:\\"},
        {"bare name", "", "notepad.exe", "C:\\Windows\\notepad.exe",
         filter + " dir= file=notepad.exe", "notepad", "C:\\Windows\\notepad.exe", "C:\\Windows"},
        {"typed folder only", "", "C:\\Tools\\", "C:\\Tools\\t.exe",
         filter + " dir=C:\\Tools file=", "t", "C:\\Tools\\t.exe", "C:\\Tools"},
        {"cancel changes nothing", "", "C:\\a.exe", std::nullopt, filter + " dir=C:\\ file=a.exe",
         "", "C:\\a.exe", "keep"},
    };
    for (const FilePickCase& c : cases) {
        FakePlatform fake;
        TFormAddApp dialog(fake.picker);
        dialog.SetText("Edit1", c.title);
        dialog.SetText("Edit2", c.fileName);
        dialog.SetText("Edit4", "keep");
        fake.pickers.fileAnswers.push_back(c.chosen);
        dialog.BeginModal();
        dialog.UserClick("Button1");
        EXPECT_EQ(fake.log.calls, (std::vector<std::string>{
                                      "GetOpenFileName owner=Add/Edit Application" + c.request}))
            << c.label;
        EXPECT_EQ(dialog.Text("Edit1"), c.titleAfter) << c.label;
        EXPECT_EQ(dialog.Text("Edit2"), c.fileNameAfter) << c.label;
        EXPECT_EQ(dialog.Text("Edit4"), c.workDirAfter) << c.label;
        EXPECT_EQ(dialog.Result(), ModalResult::None) << c.label;
    }
}

TEST(AppFileDialogsTest, FilePickOffersEveryFileAndLeavesTheFolderPartAlone) {
    const FilePickCase cases[] = {
        {"several full stops", "", "", "C:\\Docs\\report.final.pdf",
         " filter= dir= file=", "report", "C:\\Docs\\report.final.pdf", ""},
        {"typed title stays", "Report", "C:\\Docs\\old.pdf", "C:\\Docs\\new.pdf",
         " filter= dir=C:\\Docs file=old.pdf", "Report", "C:\\Docs\\new.pdf", ""},
        {"name starting with a full stop gives no title", "", "", "C:\\u\\.profile",
         " filter= dir= file=", "", "C:\\u\\.profile", ""},
        {"cancel", "t", "C:\\x.txt", std::nullopt, " filter= dir=C:\\ file=x.txt", "t", "C:\\x.txt",
         ""},
    };
    for (const FilePickCase& c : cases) {
        FakePlatform fake;
        TFormAddFile dialog(fake.picker);
        dialog.UserClick("RadioButton1");
        dialog.SetText("Edit1", c.title);
        dialog.SetText("Edit2", c.fileName);
        fake.pickers.fileAnswers.push_back(c.chosen);
        dialog.UserClick("Button1");
        EXPECT_EQ(fake.log.calls, (std::vector<std::string>{
                                      "GetOpenFileName owner=Add/Edit File or Folder" + c.request}))
            << c.label;
        EXPECT_EQ(dialog.Text("Edit1"), c.titleAfter) << c.label;
        EXPECT_EQ(dialog.Text("Edit2"), c.fileNameAfter) << c.label;
        EXPECT_EQ(dialog.Text("Edit3"), "") << c.label;
        EXPECT_EQ(dialog.Text("Edit4"), "") << c.label;
    }
}

struct WorkDirCase {
    const char* label;
    std::optional<std::string> chosen;
    std::string workDirAfter;
};

TEST(AppFileDialogsTest, WorkingFolderPickStartsAtTheTypedFolderAndTakesTheChoiceAsGiven) {
    const WorkDirCase cases[] = {
        {"drive root", "D:\\", "D:\\"},
        {"folder", "D:\\Data", "D:\\Data"},
        {"cancelled", std::nullopt, "C:\\typed"},
        {"no path", "", "C:\\typed"},
        {"longest usable path", "C:\\" + std::string(277, 'p'), "C:\\" + std::string(277, 'p')},
        {"too long", "C:\\" + std::string(278, 'p'), "C:\\typed"},
    };
    for (const WorkDirCase& c : cases) {
        FakePlatform fake;
        TFormAddApp dialog(fake.picker);
        dialog.SetText("Edit1", "title");
        dialog.SetText("Edit4", "C:\\typed");
        fake.pickers.folderAnswers.push_back(c.chosen);
        dialog.UserClick("Button2");
        EXPECT_EQ(fake.log.calls,
                  (std::vector<std::string>{
                      "SHBrowseForFolder owner=Add/Edit Application start=C:\\typed"}))
            << c.label;
        EXPECT_EQ(dialog.Text("Edit4"), c.workDirAfter) << c.label;
        EXPECT_EQ(dialog.Text("Edit1"), "title") << c.label;
    }
}

struct FolderCase {
    const char* label;
    std::string title; // Edit3 before the click
    std::optional<std::string> chosen;
    std::string titleAfter, folderAfter;
};

TEST(AppFileDialogsTest, FolderPickEndsInOneBackslashAndNamesTheFolder) {
    const FolderCase cases[] = {
        {"folder", "", "C:\\Users\\Public", "Public", "C:\\Users\\Public\\"},
        {"typed title stays", "Shared", "C:\\Users\\Public", "Shared", "C:\\Users\\Public\\"},
        {"drive root", "", "C:\\", "C:", "C:\\"},
        {"drive root, typed title", "Disk", "D:\\", "Disk", "D:\\"},
        {"trailing backslash from the browser", "", "D:\\Data\\", "Data", "D:\\Data\\"},
        {"network share", "", "\\\\srv\\share", "share", "\\\\srv\\share\\"},
        {"cancelled", "t", std::nullopt, "t", "E:\\typed\\"},
        {"no path", "", "", "", "E:\\typed\\"},
        {"one character is no folder", "", "X", "", "E:\\typed\\"},
        {"longest usable path", "", "C:\\" + std::string(277, 'p'), std::string(277, 'p'),
         "C:\\" + std::string(277, 'p') + "\\"},
        {"too long", "", "C:\\" + std::string(278, 'p'), "", "E:\\typed\\"},
    };
    for (const FolderCase& c : cases) {
        FakePlatform fake;
        TFormAddFile dialog(fake.picker);
        dialog.SetText("Edit3", c.title);
        dialog.SetText("Edit4", "E:\\typed\\");
        fake.pickers.folderAnswers.push_back(c.chosen);
        dialog.UserClick("Button2");
        EXPECT_EQ(fake.log.calls,
                  (std::vector<std::string>{
                      "SHBrowseForFolder owner=Add/Edit File or Folder start=E:\\typed\\"}))
            << c.label;
        EXPECT_EQ(dialog.Text("Edit3"), c.titleAfter) << c.label;
        EXPECT_EQ(dialog.Text("Edit4"), c.folderAfter) << c.label;
        EXPECT_EQ(dialog.Text("Edit1"), "") << c.label;
    }
}

struct CodePageCase {
    const char* label;
    bool folder; // the file editor's folder button, else the application editor's file button
    std::string chosen;                   // UTF-8, as the picker hands it back
    std::optional<std::string> shortPath; // UTF-8
    std::string titleAfter, pathAfter, workDirAfter; // in the code page; work dir: files only
};

// Letters beyond the code page: the short form is stored, or nothing and the user is told.
TEST(AppFileDialogsTest, PathsTheCodePageCannotHoldAreStoredShortOrRefused) {
    const std::string user = "C:\\Users\\\xD0\x9F\xD0\xBE\xD0\xBB\xD1\x8C \xCE\xA9 \xE6\x9D\xB1";
    const std::string refused = "MessageBox title=Vantrel text=This path cannot be kept";
    const CodePageCase cases[] = {
        {"file in a profile: short path, long name as title", false, user + "\\app.exe",
         "C:\\Users\\PLZ~1\\app.exe", "app", "C:\\Users\\PLZ~1\\app.exe", "C:\\Users\\PLZ~1"},
        {"a name beyond the code page: title from the short name", false,
         user + "\\\xE6\x9D\xB1.exe", "C:\\Users\\PLZ~1\\6771~1.EXE", "6771~1",
         "C:\\Users\\PLZ~1\\6771~1.EXE", "C:\\Users\\PLZ~1"},
        {"no short name: refused", false, user + "\\app.exe", std::nullopt, "", "", "keep"},
        {"a short name beyond the code page: refused", false, user + "\\app.exe",
         user + "\\APP.EXE", "", "", "keep"},
        {"letters the code page holds", false, "C:\\Donn\xC3\xA9" "es\\caf\xC3\xA9.exe",
         std::nullopt, "caf\xE9", "C:\\Donn\xE9" "es\\caf\xE9.exe", "C:\\Donn\xE9" "es"},
        {"folder in a profile", true, user, "C:\\Users\\PLZ~1", "PLZ~1", "C:\\Users\\PLZ~1\\",
         ""},
        {"folder without a short name: refused", true, user, std::nullopt, "", "", ""},
    };
    for (const CodePageCase& c : cases) {
        FakePlatform fake;
        if (c.shortPath)
            fake.codePage.shortPaths[c.chosen] = *c.shortPath;
        TFormAddApp app(fake.picker);
        TFormAddFile file(fake.picker);
        DialogModel& dialog = c.folder ? static_cast<DialogModel&>(file) : app;
        const char* title = c.folder ? "Edit3" : "Edit1";
        const char* path = c.folder ? "Edit4" : "Edit2";
        app.SetText("Edit4", "keep");
        (c.folder ? fake.pickers.folderAnswers : fake.pickers.fileAnswers).push_back(c.chosen);
        dialog.UserClick(c.folder ? "Button2" : "Button1");
        EXPECT_EQ(dialog.Text(title), c.titleAfter) << c.label;
        EXPECT_EQ(dialog.Text(path), c.pathAfter) << c.label;
        if (!c.folder) {
            EXPECT_EQ(app.Text("Edit4"), c.workDirAfter) << c.label;
        }
        const bool told = fake.log.calls.back().rfind(refused, 0) == 0;
        EXPECT_EQ(told, c.pathAfter.empty()) << c.label;
        if (told) { // the message names the path as the user sees it
            EXPECT_NE(fake.log.calls.back().find(c.chosen), std::string::npos) << c.label;
        }
    }
}

TEST(AppFileDialogsTest, TypedTextReachesThePickerInUtf8) {
    FakePlatform fake;
    TFormAddApp dialog(fake.picker);
    dialog.SetText("Edit2", "C:\\Donn\xE9" "es\\old.exe");
    dialog.UserClick("Button1");
    EXPECT_NE(fake.log.calls.at(0).find(" dir=C:\\Donn\xC3\xA9" "es file=old.exe"),
              std::string::npos);
}

TEST(AppFileDialogsTest, ButtonsOfAnotherModeOpenNothing) {
    FakePlatform fake;
    TFormAddApp app(fake.picker);
    app.UserClick("RadioButton2");
    app.UserClick("Button1");
    app.UserClick("Button2");
    TFormAddFile file(fake.picker); // folder mode: the file button is off
    file.UserClick("Button1");
    file.UserClick("RadioButton3");
    file.UserClick("Button2");
    EXPECT_TRUE(fake.log.calls.empty());
}

TEST(AppFileDialogsTest, AFailingPickerEndsOnlyTheClick) {
    FakePlatform fake;
    TFormAddApp app(fake.picker);
    TFormAddFile file(fake.picker);
    app.SetText("Edit2", "C:\\a.exe");
    file.SetText("Edit4", "C:\\d\\");
    const std::tuple<DialogModel*, const char*, const char*> clicks[] = {
        {&app, "RadioButton1", "Button1"},
        {&app, "RadioButton1", "Button2"},
        {&file, "RadioButton1", "Button1"},
        {&file, "RadioButton2", "Button2"},
    };
    for (const auto& [dialog, radio, button] : clicks) {
        dialog->SetChecked(radio, true);
        dialog->BeginModal();
        fake.pickers.throwNext = true;
        EXPECT_NO_THROW(dialog->UserClick(button)) << dialog->Caption() << " " << button;
        EXPECT_EQ(dialog->Result(), ModalResult::None);
    }
    EXPECT_EQ(app.Text("Edit2"), "C:\\a.exe");
    EXPECT_EQ(file.Text("Edit4"), "C:\\d\\");
    EXPECT_EQ(fake.log.calls.size(), 4u);
}

} // namespace
} // namespace vantrel
