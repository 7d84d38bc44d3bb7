#include "settings/FormImportSource.h"

#include "editors/ControlTable.h"

#include <vector>

namespace vantrel {

namespace {
constexpr int Margin = 12;
constexpr int DialogWidth = 300;
constexpr int ButtonsTop = 110;

std::vector<Control> Layout() {
    const int width = DialogWidth - 2 * Margin;
    return {
        LabelAt("Label1", "Import entries from:", Margin, Margin),
        RadioAt("StartMenu", "The Start menu", {24, 32, width, 17}, Initially::Checked),
        RadioAt("Folder", "A folder of shortcuts", {24, 54, width, 17}),
        RadioAt("Bookmarks", "A bookmarks file", {24, 76, width, 17}),
        BevelAt("Bevel1", {Margin, ButtonsTop - 10, width, 2}),
        OkButtonAt(DialogWidth - Margin - 2 * GlyphButtonWidth - 8, ButtonsTop),
        CancelButtonAt(DialogWidth - Margin - GlyphButtonWidth, ButtonsTop),
    };
}
} // namespace

TFormImportSource::TFormImportSource()
    : DialogModel("Import shortcuts", DialogWidth, ButtonsTop + GlyphButtonHeight + Margin,
                  Layout()) {}

ImportSource TFormImportSource::Chosen() const {
    if (Checked("Folder"))
        return ImportSource::Folder;
    return Checked("Bookmarks") ? ImportSource::Bookmarks : ImportSource::StartMenu;
}

void TFormImportSource::OnClick(const std::string& name) {
    if (name == "BitBtn1")
        Close(ModalResult::Ok);
    else if (name == "BitBtn2")
        Close(ModalResult::Cancel);
}

} // namespace vantrel
