#include "editors/AddEditFlow.h"

#include "tree/Entries.h"
#include "tree/EntryActions.h"

namespace vantrel {

namespace {
std::string TextOf(const EntryDialog& dialog, const std::string& field) {
    return field.empty() ? std::string() : dialog.Text(field);
}

void EmptyEveryField(EntryDialog& dialog) {
    for (Control& control : dialog.Controls())
        if (control.kind == ControlKind::Edit)
            control.text.clear();
}

void UncheckEveryRunAsAdmin(EntryDialog& dialog) {
    for (const EntryDialogMode& mode : dialog.Modes())
        if (!mode.runAsAdmin.empty())
            dialog.SetChecked(mode.runAsAdmin, false);
}

void SetField(EntryDialog& dialog, const std::string& field, const std::string& text) {
    if (!field.empty())
        dialog.SetText(field, text);
}

// Files tell groups by EntryType, the other categories by IsGroup.
bool EditsAsGroup(const LinkEntry& entry) {
    return entry.kind == LinkKindFile ? entry.entryType == EntryTypeGroup : entry.isGroup != 0;
}

} // namespace

std::optional<AddPlace> FindAddContainer(const MenuNode& sender, const Categories& categories) {
    MenuNode* parent = sender.Parent();
    if (!parent)
        return std::nullopt;
    for (std::uint8_t kind = LinkKindRun; kind <= LinkKindFile; ++kind)
        if (categories.OfKind(kind) == parent)
            return AddPlace{parent, kind};
    MenuNode* group = EntryOfActionCommand(sender);
    if (!group || !IsSavedLinkKind(group->Tag()->kind))
        return std::nullopt;
    return AddPlace{group, group->Tag()->kind};
}

void PrepareForAdd(EntryDialog& dialog) {
    for (const EntryDialogMode& mode : dialog.Modes())
        dialog.SetEnabled(mode.radio, true);
    dialog.SetChecked(dialog.AddMode().radio, true);
    UncheckEveryRunAsAdmin(dialog);
    EmptyEveryField(dialog);
}

MenuNode& CreateEntryFromDialog(const EntryDialog& dialog, MenuNode& container,
                                std::uint8_t kind) {
    const EntryDialogMode& mode = dialog.CheckedMode();
    if (mode.IsGroup())
        return CreateGroupEntry(container, dialog.Text(mode.title), kind, EntryTypeGroup);

    ItemFields fields;
    fields.title = dialog.Text(mode.title);
    fields.target = dialog.Text(mode.target);
    fields.parameters = TextOf(dialog, mode.parameters);
    fields.workDir = TextOf(dialog, mode.workDir);
    fields.runAsAdmin = !mode.runAsAdmin.empty() && dialog.Checked(mode.runAsAdmin) ? 1 : 0;
    fields.kind = kind;
    fields.entryType = mode.entryType;
    return CreateItemEntry(container, fields);
}

const EntryDialogMode& PrepareForEdit(EntryDialog& dialog, const LinkEntry& entry) {
    const EntryDialogMode& chosen =
        EditsAsGroup(entry) ? dialog.GroupMode() : dialog.ItemModeOf(entry.entryType);
    for (const EntryDialogMode& mode : dialog.Modes())
        dialog.SetEnabled(mode.radio, &mode == &chosen);
    dialog.SetChecked(chosen.radio, true);

    EmptyEveryField(dialog);
    SetField(dialog, chosen.title, entry.title);
    SetField(dialog, chosen.target, entry.target);
    SetField(dialog, chosen.parameters, entry.parameters);
    SetField(dialog, chosen.workDir, entry.workDir);
    UncheckEveryRunAsAdmin(dialog);
    if (!chosen.runAsAdmin.empty())
        dialog.SetChecked(chosen.runAsAdmin, entry.runAsAdmin != 0);
    return chosen;
}

bool StoreEdit(const EntryDialog& dialog, const EntryDialogMode& mode, MenuNode& entry) {
    LinkEntry* record = entry.Tag();
    if (!record)
        return false;
    const std::string title = dialog.Text(mode.title);
    if (mode.IsGroup()) {
        if (title.empty())
            return false;
        record->title = title;
        entry.caption = title;
        MenuNode::TextsChanged();
        return true;
    }
    const std::string target = dialog.Text(mode.target);
    if (title.empty() || target.empty())
        return false;
    record->title = title;
    record->target = target;
    if (!mode.parameters.empty())
        record->parameters = dialog.Text(mode.parameters);
    if (!mode.workDir.empty())
        record->workDir = dialog.Text(mode.workDir);
    if (!mode.runAsAdmin.empty())
        record->runAsAdmin = dialog.Checked(mode.runAsAdmin) ? 1 : 0;
    entry.caption = title;
    MenuNode::TextsChanged();
    return true;
}

} // namespace vantrel
