#include "editors/EntryDialog.h"

#include <stdexcept>
#include <utility>

namespace vantrel {

EntryDialog::EntryDialog(std::string caption, int clientWidth, int clientHeight,
                         std::vector<Control> controls, std::vector<EntryDialogMode> modes,
                         std::string addMode)
    : DialogModel(std::move(caption), clientWidth, clientHeight, std::move(controls)),
      modes_(std::move(modes)), addMode_(std::move(addMode)) {
    if (modes_.size() < 2 || !modes_.back().IsGroup())
        throw std::invalid_argument("an editor needs item modes followed by a group mode");
}

const EntryDialogMode& EntryDialog::AddMode() const {
    for (const EntryDialogMode& mode : modes_)
        if (mode.radio == addMode_)
            return mode;
    return modes_.front();
}

const EntryDialogMode& EntryDialog::CheckedMode() const {
    for (std::size_t i = 0; i + 1 < modes_.size(); ++i)
        if (Checked(modes_[i].radio))
            return modes_[i];
    return GroupMode();
}

const EntryDialogMode& EntryDialog::ItemModeOf(std::uint8_t entryType) const {
    const std::size_t itemModes = modes_.size() - 1;
    for (std::size_t i = 0; i < itemModes; ++i)
        if (modes_[i].entryType == entryType)
            return modes_[i];
    return modes_[itemModes - 1];
}

void EntryDialog::OnClick(const std::string& name) {
    for (const EntryDialogMode& mode : modes_) {
        if (mode.radio == name) {
            SwitchTo(mode);
            return;
        }
    }
    if (name == "BitBtn1")
        BitBtn1Click();
    else if (name == "BitBtn2")
        BitBtn2Click();
}

void EntryDialog::SwitchTo(const EntryDialogMode& chosen) {
    // Disable every other mode's part first: a control listed in two modes stays enabled.
    for (const EntryDialogMode& mode : modes_)
        if (&mode != &chosen)
            for (const std::string& control : mode.controls)
                SetEnabled(control, false);
    for (const std::string& control : chosen.controls)
        SetEnabled(control, true);
}

void EntryDialog::BitBtn1Click() {
    const EntryDialogMode& mode = CheckedMode();
    if (Text(mode.title).empty())
        return;
    if (!mode.IsGroup() && Text(mode.target).empty())
        return;
    Close(ModalResult::Ok);
}

} // namespace vantrel
