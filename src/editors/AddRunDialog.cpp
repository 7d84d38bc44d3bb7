#include "editors/AddRunDialog.h"

#include "editors/ControlTable.h"
#include "launch/CommandLine.h"

namespace vantrel {

const char* const RunHint = "( Example: cmd /K ping www.example.com )";

namespace {
constexpr int FieldLeft = 102;

std::vector<Control> RunControls() {
    using I = Initially;
    return {
        RadioAt("RadioButton1", "Add/Edit item", {8, 8, 113, 17}, I::Checked),
        LabelAt("Label1", "Title:", 24, 34),
        EditAt("Edit1", {FieldLeft, 31, 250, 21}, TitleLimit),
        LabelAt("Label3", "Command line:", 24, 61),
        EditAt("Edit2", {FieldLeft, 58, 210, 21}, PathLimit),
        ButtonAt("Button1", "Test", {317, 56, 36, 25}),
        LabelAt("Label4", RunHint, FieldLeft, 84),
        CheckBoxAt("CheckBox1", "Run as administrator", {FieldLeft, 104, 128, 17}),
        BevelAt("Bevel1", {16, 128, 344, 2}),
        RadioAt("RadioButton2", "Add/Edit group", {8, 140, 113, 17}),
        LabelAt("Label2", "Title:", 24, 163, I::Disabled),
        EditAt("Edit3", {FieldLeft, 160, 250, 21}, TitleLimit, I::Disabled),
        BevelAt("Bevel2", {16, 196, 344, 2}),
        OkButtonAt(107, 207),
        CancelButtonAt(192, 207),
    };
}

std::vector<EntryDialogMode> RunModes() {
    EntryDialogMode item;
    item.radio = "RadioButton1";
    item.controls = {"Edit1", "Edit2", "Label1", "Label3", "Label4", "Button1", "CheckBox1"};
    item.entryType = EntryTypeItem;
    item.title = "Edit1";
    item.target = "Edit2";
    item.runAsAdmin = "CheckBox1";

    EntryDialogMode group;
    group.radio = "RadioButton2";
    group.controls = {"Edit3", "Label2"};
    group.entryType = EntryTypeGroup;
    group.title = "Edit3";
    return {item, group};
}
} // namespace

TFormAddRun::TFormAddRun(ShellApi& shell)
    : EntryDialog("Add/Edit Command Line", 368, 240, RunControls(), RunModes(), "RadioButton1"),
      shell_(shell) {}

void TFormAddRun::OnClick(const std::string& name) {
    if (name == "Button1")
        Button1Click();
    else
        EntryDialog::OnClick(name);
}

void TFormAddRun::Button1Click() {
    try {
        const std::string& commandLine = Text("Edit2");
        if (commandLine.empty())
            return;
        CommandLineParts parts = SplitCommandLine(commandLine);
        // A line that begins with a blank names no program. Handing the shell an empty file
        // name would open some folder instead, while the stored entry starts nothing: the
        // test shows what the entry will do.
        if (parts.program.empty())
            return;
        const std::string verb = LaunchVerb(Checked("CheckBox1") ? 1 : 0, shell_);
        // No working directory: a null one, as when the stored entry is opened.
        shell_.Execute(ShellLaunch{verb, std::move(parts.program), std::move(parts.parameters),
                                   std::nullopt, ShowNormal});
    } catch (...) {
        // The test reports nothing, whatever happened.
    }
}

} // namespace vantrel
