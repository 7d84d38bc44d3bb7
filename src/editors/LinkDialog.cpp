#include "editors/LinkDialog.h"

#include "editors/ControlTable.h"

namespace vantrel {

namespace {
constexpr int LinkDialogHeight = 222;

std::vector<Control> LinkControls(const LinkDialogLook& look) {
    using I = Initially;
    const int left = look.fieldLeft;
    return {
        RadioAt("RadioButton1", "Add/Edit item", {8, 8, 113, 17}, I::Checked),
        LabelAt("Label1", "Title:", 24, 34),
        EditAt("Edit1", {left, 31, 250, 21}, TitleLimit),
        LabelAt("Label3", look.targetLabel, 24, 61),
        EditAt("Edit2", {left, 58, 250, 21}, PathLimit),
        LabelAt("Label4", look.hint, left, 84),
        BevelAt("Bevel1", {16, 108, look.bevelWidth, 2}),
        RadioAt("RadioButton2", "Add/Edit group", {8, 120, 113, 17}),
        LabelAt("Label2", "Title:", 24, 143, I::Disabled),
        EditAt("Edit3", {left, 140, 250, 21}, TitleLimit, I::Disabled),
        BevelAt("Bevel2", {16, 176, look.bevelWidth, 2}),
        OkButtonAt(116, 187),
        CancelButtonAt(201, 187),
    };
}

std::vector<EntryDialogMode> LinkModes() {
    EntryDialogMode item;
    item.radio = "RadioButton1";
    item.controls = {"Edit1", "Edit2", "Label1", "Label3", "Label4"};
    item.entryType = EntryTypeItem;
    item.title = "Edit1";
    item.target = "Edit2";

    EntryDialogMode group;
    group.radio = "RadioButton2";
    group.controls = {"Edit3", "Label2"};
    group.entryType = EntryTypeGroup;
    group.title = "Edit3";
    return {item, group};
}
} // namespace

LinkDialog::LinkDialog(const LinkDialogLook& look)
    : EntryDialog(look.caption, look.clientWidth, LinkDialogHeight, LinkControls(look),
                  LinkModes(), "RadioButton1") {}

} // namespace vantrel
