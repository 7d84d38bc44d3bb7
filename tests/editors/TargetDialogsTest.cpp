// The command-line, internet link and network resource editors.
#include "editors/AddInternetDialog.h"
#include "editors/AddNetworkDialog.h"
#include "editors/AddRunDialog.h"
#include "editors/ControlTable.h"
#include "fakes/FakePlatform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <tuple>

namespace vantrel {
namespace {

using testing::FakePlatform;
using testing::FakeShell;

struct DialogUnderTest {
    std::string label;
    std::function<std::unique_ptr<EntryDialog>(FakePlatform&)> make;
};

const DialogUnderTest AllDialogs[] = {
    {"Run", [](FakePlatform& fake) { return std::make_unique<TFormAddRun>(fake.shell); }},
    {"Internet", [](FakePlatform&) { return std::make_unique<TFormAddInternet>(); }},
    {"Network", [](FakePlatform&) { return std::make_unique<TFormAddNetwork>(); }},
};

struct Placement {
    std::string dialog;
    std::string control;
    Box box;
    unsigned maxLength;
};

std::tuple<int, int, int, int> BoxOf(const Control& control) {
    return {control.left, control.top, control.width, control.height};
}

std::tuple<int, int, int, int> BoxOf(const Box& box) {
    return {box.left, box.top, box.width, box.height};
}

TEST(TargetDialogsTest, WindowsAndControlsArePlacedAsDesigned) {
    FakePlatform fake;
    TFormAddRun run(fake.shell);
    TFormAddInternet internet;
    TFormAddNetwork network;
    EXPECT_EQ(run.Caption(), "Add/Edit Command Line");
    EXPECT_EQ(internet.Caption(), "Add/Edit Internet Link");
    EXPECT_EQ(network.Caption(), "Add/Edit Network Resource");
    EXPECT_EQ(std::make_pair(run.ClientWidth(), run.ClientHeight()), std::make_pair(368, 240));
    EXPECT_EQ(std::make_pair(internet.ClientWidth(), internet.ClientHeight()),
              std::make_pair(368, 222));
    EXPECT_EQ(std::make_pair(network.ClientWidth(), network.ClientHeight()),
              std::make_pair(388, 222));

    const std::map<std::string, const EntryDialog*> dialogs{
        {"Run", &run}, {"Internet", &internet}, {"Network", &network}};
    const Placement placements[] = {
        {"Run", "RadioButton1", {8, 8, 113, 17}, 0},
        {"Run", "Edit1", {102, 31, 250, 21}, 100},
        {"Run", "Edit2", {102, 58, 210, 21}, 260},
        {"Run", "Button1", {317, 56, 36, 25}, 0},
        {"Run", "Label4", {102, 84, 0, 0}, 0},
        {"Run", "CheckBox1", {102, 104, 128, 17}, 0},
        {"Run", "Bevel1", {16, 128, 344, 2}, 0},
        {"Run", "RadioButton2", {8, 140, 113, 17}, 0},
        {"Run", "Label2", {24, 163, 0, 0}, 0},
        {"Run", "Edit3", {102, 160, 250, 21}, 100},
        {"Run", "Bevel2", {16, 196, 344, 2}, 0},
        {"Run", "BitBtn1", {107, 207, 75, 25}, 0},
        {"Run", "BitBtn2", {192, 207, 75, 25}, 0},
        {"Internet", "Edit1", {100, 31, 250, 21}, 100},
        {"Internet", "Edit2", {100, 58, 250, 21}, 260},
        {"Internet", "Label4", {100, 84, 0, 0}, 0},
        {"Internet", "Bevel1", {16, 108, 342, 2}, 0},
        {"Internet", "RadioButton2", {8, 120, 113, 17}, 0},
        {"Internet", "Label2", {24, 143, 0, 0}, 0},
        {"Internet", "Edit3", {100, 140, 250, 21}, 100},
        {"Internet", "Bevel2", {16, 176, 342, 2}, 0},
        {"Internet", "BitBtn1", {116, 187, 75, 25}, 0},
        {"Internet", "BitBtn2", {201, 187, 75, 25}, 0},
        {"Network", "Label3", {24, 61, 0, 0}, 0},
        {"Network", "Edit2", {120, 58, 250, 21}, 260},
        {"Network", "Edit3", {120, 140, 250, 21}, 100},
        {"Network", "Bevel2", {16, 176, 362, 2}, 0},
    };
    for (const Placement& p : placements) {
        const Control& control = (*dialogs.at(p.dialog))[p.control];
        EXPECT_EQ(BoxOf(control), BoxOf(p.box)) << p.dialog << " " << p.control;
        EXPECT_EQ(control.maxLength, p.maxLength) << p.dialog << " " << p.control;
    }
}

TEST(TargetDialogsTest, TextsOfLabelsHintsAndButtons) {
    FakePlatform fake;
    TFormAddRun run(fake.shell);
    TFormAddInternet internet;
    TFormAddNetwork network;
    EXPECT_EQ(run.Text("Label3"), "Command line:");
    EXPECT_EQ(internet.Text("Label3"), "Internet link:");
    EXPECT_EQ(network.Text("Label3"), "Network resource:");
    EXPECT_EQ(network.Text("Label4"), "( Example: \\\\127.0.0.1\\C$ )");
    for (const EntryDialog* dialog : {static_cast<const EntryDialog*>(&run),
                                      static_cast<const EntryDialog*>(&internet)}) {
        const std::string& hint = dialog->Text("Label4");
        EXPECT_EQ(hint.rfind("( Example: ", 0), 0u) << hint;
        EXPECT_EQ(hint.substr(hint.size() - 2), " )") << hint;
    }
    EXPECT_NE(run.Text("Label4").find("cmd /K ping "), std::string::npos);
    EXPECT_EQ(run.Text("Button1"), "Test");
    EXPECT_EQ(run.Text("CheckBox1"), "Run as administrator");
    EXPECT_EQ(run["BitBtn1"].glyph, Glyph::Ok);
    EXPECT_EQ(run["BitBtn1"].text, "Ok");
    EXPECT_EQ(internet["BitBtn2"].glyph, Glyph::Cancel);
    EXPECT_EQ(internet["BitBtn2"].text, "Cancel");
    EXPECT_THROW(internet["CheckBox1"], std::out_of_range);
    EXPECT_THROW(network["Button1"], std::out_of_range);
}

TEST(TargetDialogsTest, ModesNameControlsOfTheRightKind) {
    for (const DialogUnderTest& d : AllDialogs) {
        FakePlatform fake;
        const auto dialog = d.make(fake);
        std::set<std::string> enabledSomewhere;
        for (const EntryDialogMode& mode : dialog->Modes()) {
            EXPECT_EQ((*dialog)[mode.radio].kind, ControlKind::RadioButton) << d.label;
            EXPECT_EQ((*dialog)[mode.title].kind, ControlKind::Edit) << d.label;
            EXPECT_EQ((*dialog)[mode.title].maxLength, 100u) << d.label;
            if (!mode.IsGroup()) {
                EXPECT_EQ((*dialog)[mode.target].kind, ControlKind::Edit) << d.label;
                EXPECT_EQ((*dialog)[mode.target].maxLength, 260u) << d.label;
            }
            for (const std::string& name : mode.controls)
                enabledSomewhere.insert((*dialog)[name].name);
        }
        // Every edit field belongs to some mode, or it could never be typed into.
        for (const Control& control : dialog->Controls()) {
            if (control.kind == ControlKind::Edit) {
                EXPECT_EQ(enabledSomewhere.count(control.name), 1u) << d.label << control.name;
            }
        }
    }
}

// The names of the edit fields, labels, buttons and check box that are enabled.
std::set<std::string> EnabledParts(const DialogModel& dialog) {
    std::set<std::string> enabled;
    for (const Control& control : dialog.Controls())
        if (control.enabled && control.kind != ControlKind::RadioButton &&
            control.kind != ControlKind::GlyphButton && control.kind != ControlKind::Bevel)
            enabled.insert(control.name);
    return enabled;
}

TEST(TargetDialogsTest, ModesEnableTheirOwnPartAndKeepTheTexts) {
    FakePlatform fake;
    TFormAddRun run(fake.shell);
    const std::set<std::string> runItem{"Label1", "Edit1", "Label3", "Edit2",
                                        "Button1", "Label4", "CheckBox1"};
    EXPECT_EQ(EnabledParts(run), runItem); // as created
    run.UserType("Edit1", "title");
    run.UserClick("RadioButton2");
    EXPECT_EQ(EnabledParts(run), (std::set<std::string>{"Label2", "Edit3"}));
    EXPECT_EQ(run.Text("Edit1"), "title");
    run.SetChecked("RadioButton1", true); // the flow's call acts like the click
    EXPECT_EQ(EnabledParts(run), runItem);

    TFormAddNetwork network;
    EXPECT_EQ(EnabledParts(network),
              (std::set<std::string>{"Label1", "Edit1", "Label3", "Edit2", "Label4"}));
    network.UserClick("RadioButton2");
    EXPECT_EQ(EnabledParts(network), (std::set<std::string>{"Label2", "Edit3"}));
    EXPECT_TRUE(network.Checked("RadioButton2"));
    EXPECT_FALSE(network.Checked("RadioButton1"));
}

struct OkCase {
    const char* label;
    bool groupMode;
    std::string title;
    std::string target;
    std::string groupTitle;
    bool closes;
};

TEST(TargetDialogsTest, OkClosesOnlyWhenTheCheckedModesFieldsHoldText) {
    const OkCase cases[] = {
        {"item filled", false, "t", "x", "", true},
        {"item blanks count as text", false, " ", " ", "", true},
        {"item without target", false, "t", "", "g", false},
        {"item without title", false, "", "x", "g", false},
        {"group filled, item fields empty", true, "", "", "g", true},
        {"group blank title", true, "", "", " ", true},
        {"group empty, item fields filled", true, "t", "x", "", false},
    };
    for (const DialogUnderTest& d : AllDialogs) {
        for (const OkCase& c : cases) {
            FakePlatform fake;
            const auto dialog = d.make(fake);
            dialog->SetText("Edit1", c.title);
            dialog->SetText("Edit2", c.target);
            dialog->SetText("Edit3", c.groupTitle);
            dialog->SetChecked(c.groupMode ? "RadioButton2" : "RadioButton1", true);
            dialog->BeginModal();
            dialog->UserClick("BitBtn1");
            EXPECT_EQ(dialog->Result(), c.closes ? ModalResult::Ok : ModalResult::None)
                << d.label << ": " << c.label;
        }
    }
}

TEST(TargetDialogsTest, CancelAndTheCloseBoxGiveCancelWhateverIsTyped) {
    FakePlatform fake;
    TFormAddInternet dialog;
    dialog.UserType("Edit1", "t");
    dialog.UserType("Edit2", "x");
    dialog.UserClick("BitBtn2");
    EXPECT_EQ(dialog.Result(), ModalResult::Cancel);
    dialog.BeginModal();
    dialog.UserClose();
    EXPECT_EQ(dialog.Result(), ModalResult::Cancel);
}

TEST(TargetDialogsTest, TypingStopsAtTheLimitsOfTheFile) {
    struct LimitCase {
        std::string field;
        std::size_t typed;
        std::size_t kept;
    };
    const LimitCase cases[] = {{"Edit1", 100, 100}, {"Edit1", 101, 100}, {"Edit2", 260, 260},
                               {"Edit2", 261, 260}, {"Edit3", 100, 100}, {"Edit3", 500, 100}};
    for (const DialogUnderTest& d : AllDialogs) {
        for (const LimitCase& c : cases) {
            FakePlatform fake;
            const auto dialog = d.make(fake);
            dialog->SetChecked(c.field == "Edit3" ? "RadioButton2" : "RadioButton1", true);
            dialog->UserType(c.field, std::string(c.typed, 'a'));
            EXPECT_EQ(dialog->Text(c.field).size(), c.kept) << d.label << " " << c.field;
        }
    }
}

struct TestCase {
    const char* label;
    std::string commandLine;
    bool runAsAdmin;
    bool userIsAdmin;
    std::vector<std::string> launches; // FakeShell lines
};

TEST(RunDialogTest, TestStartsTheTypedCommandLineWithoutClosing) {
    const TestCase cases[] = {
        {"program and parameters", "ping -t 127.0.0.1", false, false,
         {"ShellExecute verb=open file=ping params=-t 127.0.0.1 dir=<null> show=1"}},
        {"no parameters: the empty text", "notepad", false, false,
         {"ShellExecute verb=open file=notepad params= dir=<null> show=1"}},
        {"unquoted path with a blank", "C:\\Program Files\\x.exe /a", false, false,
         {"ShellExecute verb=open file=C:\\Program params=Files\\x.exe /a dir=<null> show=1"}},
        {"quotes mean nothing", "\"C:\\a b\\x.exe\"", false, false,
         {"ShellExecute verb=open file=\"C:\\a params=b\\x.exe\" dir=<null> show=1"}},
        {"two blanks skipped", "ping  -n 1", false, false,
         {"ShellExecute verb=open file=ping params=-n 1 dir=<null> show=1"}},
        {"a tab is kept", "ping\t-n 1", false, false,
         {"ShellExecute verb=open file=ping params=\t-n 1 dir=<null> show=1"}},
        {"elevation asked", "mmc.exe", true, false,
         {"ShellExecute verb=runas file=mmc.exe params= dir=<null> show=1"}},
        {"already an administrator", "mmc.exe", true, true,
         {"ShellExecute verb=open file=mmc.exe params= dir=<null> show=1"}},
        {"empty line", "", true, false, {}},
        {"leading blank names no program", " notepad", false, false, {}},
    };
    for (const TestCase& c : cases) {
        FakePlatform fake;
        fake.shell.isAdmin = c.userIsAdmin;
        TFormAddRun dialog(fake.shell);
        dialog.SetText("Edit2", c.commandLine);
        dialog.SetChecked("CheckBox1", c.runAsAdmin);
        dialog.BeginModal();
        dialog.UserClick("Button1");
        EXPECT_EQ(fake.log.Matching("ShellExecute"), c.launches) << c.label;
        EXPECT_EQ(dialog.Result(), ModalResult::None) << c.label;
    }
}

TEST(RunDialogTest, TestIsUnavailableInGroupModeAndSurvivesAShellFailure) {
    FakePlatform fake;
    TFormAddRun dialog(fake.shell);
    dialog.SetText("Edit2", "calc");
    dialog.UserClick("RadioButton2");
    dialog.UserClick("Button1");
    EXPECT_TRUE(fake.log.Matching("ShellExecute").empty());

    dialog.UserClick("RadioButton1");
    fake.shell.executeResult = 2; // file not found: nothing is reported
    EXPECT_NO_THROW(dialog.UserClick("Button1"));
    EXPECT_EQ(fake.log.Matching("ShellExecute").size(), 1u);
}

} // namespace
} // namespace vantrel
