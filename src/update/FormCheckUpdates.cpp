#include "update/FormCheckUpdates.h"

namespace vantrel {

namespace {
std::vector<Control> Layout() {
    Control label{"Label1", ControlKind::Label, "No new version is available at this time.", 16,
                  16};
    Control button{"BitBtn1", ControlKind::GlyphButton, "Ok", 70, 42, 100, 25, 0};
    button.glyph = Glyph::Ok;
    return {label, button};
}
} // namespace

TFormCheckUpdates::TFormCheckUpdates() : DialogModel("Check for updates", 240, 80, Layout()) {}

void TFormCheckUpdates::OnClick(const std::string& name) {
    if (name == "BitBtn1")
        Close(ModalResult::Ok);
}

} // namespace vantrel
