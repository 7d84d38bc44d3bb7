#include "editors/AddFileDialog.h"

#include "editors/ControlTable.h"
#include "editors/Picking.h"
#include "tree/PathParts.h"

namespace vantrel {

namespace {
constexpr int FieldLeft = 92;

std::vector<Control> FileControls() {
    using I = Initially;
    return {
        RadioAt("RadioButton1", "Add/Edit File item", {8, 8, 113, 17}),
        LabelAt("Label1", "Title:", 24, 34, I::Disabled),
        EditAt("Edit1", {FieldLeft, 31, 250, 21}, TitleLimit, I::Disabled),
        LabelAt("Label2", "File name:", 24, 61, I::Disabled),
        EditAt("Edit2", {FieldLeft, 58, 250, 21}, PathLimit, I::Disabled),
        WithState(ButtonAt("Button1", "...", {350, 56, 40, 25}), I::Disabled),
        BevelAt("Bevel1", {16, 92, 376, 2}),
        RadioAt("RadioButton2", "Add/Edit Folder item", {8, 104, 129, 17}, I::Checked),
        LabelAt("Label3", "Title:", 24, 130),
        EditAt("Edit3", {FieldLeft, 127, 250, 21}, TitleLimit),
        LabelAt("Label4", "Folder name:", 24, 157),
        EditAt("Edit4", {FieldLeft, 154, 250, 21}, PathLimit),
        ButtonAt("Button2", "...", {350, 152, 40, 25}),
        BevelAt("Bevel3", {16, 188, 376, 2}),
        RadioAt("RadioButton3", "Add/Edit group", {8, 200, 113, 17}),
        LabelAt("Label5", "Title:", 24, 225, I::Disabled),
        EditAt("Edit5", {FieldLeft, 222, 250, 21}, TitleLimit, I::Disabled),
        BevelAt("Bevel2", {16, 256, 376, 2}),
        OkButtonAt(120, 267),
        CancelButtonAt(205, 267),
    };
}

std::vector<EntryDialogMode> FileModes() {
    EntryDialogMode file;
    file.radio = "RadioButton1";
    file.controls = {"Edit1", "Edit2", "Label1", "Label2", "Button1"};
    file.entryType = EntryTypeItem;
    file.title = "Edit1";
    file.target = "Edit2";

    EntryDialogMode folder;
    folder.radio = "RadioButton2";
    folder.controls = {"Edit3", "Edit4", "Label3", "Label4", "Button2"};
    folder.entryType = EntryTypeFolder;
    folder.title = "Edit3";
    folder.target = "Edit4";

    EntryDialogMode group;
    group.radio = "RadioButton3";
    group.controls = {"Edit5", "Label5"};
    group.entryType = EntryTypeGroup;
    group.title = "Edit5";
    return {file, folder, group};
}

bool EndsWithBackslash(const std::string& text) {
    return !text.empty() && text.back() == '\\';
}
} // namespace

TFormAddFile::TFormAddFile(PathPicker& picker)
    : EntryDialog("Add/Edit File or Folder", 402, 304, FileControls(), FileModes(), "RadioButton2"),
      picker_(picker) {}

void TFormAddFile::OnClick(const std::string& name) {
    if (name == "Button1")
        Button1Click();
    else if (name == "Button2")
        Button2Click();
    else
        EntryDialog::OnClick(name);
}

void TFormAddFile::Button1Click() {
    try {
        // No filter: every file is offered.
        PickFileInto(*this, picker_, "", "Edit2", "Edit1");
    } catch (...) {
        // A failed pick ends here; the fields keep what was already set.
    }
}

void TFormAddFile::Button2Click() {
    try {
        const std::optional<PickedPath> folder = BrowseForFolder(picker_, *this, Text("Edit4"));
        if (!folder || folder->path.size() < 2)
            return;
        std::string path = folder->path;
        if (EndsWithBackslash(path))
            path.pop_back();
        if (Text("Edit3").empty()) {
            // A drive root ("D:") has no name of its own: the drive is the title.
            SetText("Edit3", folder->name.empty() ? path : folder->name);
        }
        if (!EndsWithBackslash(path))
            path += '\\';
        SetText("Edit4", path);
    } catch (...) {
        // As above.
    }
}

} // namespace vantrel
