#include "update/FormCheckUpdates.h"

#include "editors/ControlTable.h"

namespace vantrel {

namespace {
std::vector<Control> Layout() {
    return {LabelAt("Label1", "No new version is available at this time.", 16, 16),
            GlyphButtonAt("BitBtn1", "Ok", Glyph::Ok, {70, 42, 100, 25})};
}
} // namespace

TFormCheckUpdates::TFormCheckUpdates() : DialogModel("Check for updates", 240, 80, Layout()) {}

void TFormCheckUpdates::OnClick(const std::string& name) {
    if (name == "BitBtn1")
        Close(ModalResult::Ok);
}

} // namespace vantrel
