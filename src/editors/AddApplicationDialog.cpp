#include "editors/AddApplicationDialog.h"

#include "editors/ControlTable.h"
#include "editors/Picking.h"
#include "tree/PathParts.h"

namespace vantrel {

const char* const ProgramFilter = "Executable files (*.exe)|*.exe;*.msc;";

namespace {
constexpr int FieldLeft = 90;

std::vector<Control> ApplicationControls() {
    using I = Initially;
    return {
        RadioAt("RadioButton1", "Add/Edit item", {8, 8, 113, 17}, I::Checked),
        LabelAt("Label1", "Title:", 24, 34),
        EditAt("Edit1", {FieldLeft, 31, 250, 21}, TitleLimit),
        LabelAt("Label3", "File name:", 24, 61),
        EditAt("Edit2", {FieldLeft, 58, 250, 21}, PathLimit),
        ButtonAt("Button1", "...", {350, 56, 40, 25}),
        LabelAt("Label2", "Parameters:", 24, 88),
        EditAt("Edit3", {FieldLeft, 85, 250, 21}, PathLimit),
        LabelAt("Label4", "Work dir:", 24, 115),
        EditAt("Edit4", {FieldLeft, 112, 250, 21}, PathLimit),
        ButtonAt("Button2", "...", {350, 110, 40, 25}),
        CheckBoxAt("CheckBox1", "Run as administrator", {FieldLeft, 140, 128, 17}),
        BevelAt("Bevel1", {16, 166, 376, 2}),
        RadioAt("RadioButton2", "Add/Edit group", {8, 180, 113, 17}),
        LabelAt("Label5", "Title:", 24, 205, I::Disabled),
        EditAt("Edit5", {FieldLeft, 202, 250, 21}, TitleLimit, I::Disabled),
        BevelAt("Bevel2", {16, 236, 376, 2}),
        OkButtonAt(120, 247),
        CancelButtonAt(205, 247),
    };
}

std::vector<EntryDialogMode> ApplicationModes() {
    EntryDialogMode item;
    item.radio = "RadioButton1";
    item.controls = {"Edit1",  "Edit2",  "Edit3",     "Edit4",   "Label1", "Label2",
                     "Label3", "Label4", "CheckBox1", "Button1", "Button2"};
    item.entryType = EntryTypeItem;
    item.title = "Edit1";
    item.target = "Edit2";
    item.parameters = "Edit3";
    item.workDir = "Edit4";
    item.runAsAdmin = "CheckBox1";

    EntryDialogMode group;
    group.radio = "RadioButton2";
    group.controls = {"Edit5", "Label5"};
    group.entryType = EntryTypeGroup;
    group.title = "Edit5";
    return {item, group};
}
} // namespace

TFormAddApp::TFormAddApp(PathPicker& picker)
    : EntryDialog("Add/Edit Application", 400, 280, ApplicationControls(), ApplicationModes(),
                  "RadioButton1"),
      picker_(picker) {}

void TFormAddApp::OnClick(const std::string& name) {
    if (name == "Button1")
        Button1Click();
    else if (name == "Button2")
        Button2Click();
    else
        EntryDialog::OnClick(name);
}

void TFormAddApp::Button1Click() {
    try {
        const std::optional<std::string> chosen =
            PickFileInto(*this, picker_, ProgramFilter, "Edit2", "Edit1");
        if (chosen)
            SetText("Edit4", DirectoryPart(*chosen));
    } catch (...) {
        // A failed pick ends here; the fields keep what was already set.
    }
}

void TFormAddApp::Button2Click() {
    try {
        const std::optional<PickedPath> folder = BrowseForFolder(picker_, *this, Text("Edit4"));
        // A drive root comes with its backslash, any other folder without: taken as given.
        if (folder)
            SetText("Edit4", folder->path);
    } catch (...) {
        // As above.
    }
}

} // namespace vantrel
