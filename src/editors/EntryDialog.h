#pragma once
// What every editor dialog of a category has in common: mode radio buttons that each enable
// their own part of the dialog and disable the rest, an OK button that closes only while the
// checked mode's required fields hold text, a Cancel button, and a description of how each
// mode's fields map onto an entry's record, which the add and edit flow reads and writes.
// A dialog never touches a record itself.

#include "editors/DialogModel.h"
#include "tree/LinkEntry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vantrel {

struct EntryDialogMode {
    std::string radio;                 // the radio button that selects the mode
    std::vector<std::string> controls; // enabled in this mode, disabled in every other one
    std::uint8_t entryType = EntryTypeItem; // EntryTypeGroup for the group mode
    // The controls holding the record's fields in this mode; an empty name means the mode
    // does not hold that field (created empty or 0, left untouched by an edit).
    std::string title;      // an edit field; required
    std::string target;     // an edit field; required in item modes, empty in the group mode
    std::string parameters; // an edit field
    std::string workDir;    // an edit field
    std::string runAsAdmin; // a check box

    bool IsGroup() const { return entryType == EntryTypeGroup; }
};

class EntryDialog : public DialogModel {
public:
    // The modes list the item modes first and the group mode last; addMode names the radio
    // button of the mode a new entry starts in.
    EntryDialog(std::string caption, int clientWidth, int clientHeight,
                std::vector<Control> controls, std::vector<EntryDialogMode> modes,
                std::string addMode);

    const std::vector<EntryDialogMode>& Modes() const { return modes_; }
    const EntryDialogMode& AddMode() const;
    const EntryDialogMode& GroupMode() const { return modes_.back(); }
    // The first item mode whose radio button is checked; the group mode when none is.
    const EntryDialogMode& CheckedMode() const;
    // The item mode that edits an item of this entry type; the last item mode for a type no
    // item mode names (a Files entry of any type but 1 is a folder).
    const EntryDialogMode& ItemModeOf(std::uint8_t entryType) const;

protected:
    void OnClick(const std::string& name) override;
    // OK: closes with OK only while the checked mode's required fields are not empty. A text
    // of blanks counts as text. Nothing is said when a field is missing.
    void BitBtn1Click();
    // Cancel, like the close box.
    void BitBtn2Click() { Close(ModalResult::Cancel); }

private:
    void SwitchTo(const EntryDialogMode& mode);

    std::vector<EntryDialogMode> modes_;
    std::string addMode_;
};

} // namespace vantrel
