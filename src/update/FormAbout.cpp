#include "update/FormAbout.h"

#include "editors/ControlTable.h"
#include "update/Vendor.h"
#include "update/VendorPages.h"

namespace vantrel {

const char* const AboutMaker = "Made by the Vantrel developers";

namespace {
std::vector<Control> Layout() {
    return {
        Control{"Label1", ControlKind::Label, "Vantrel v1.0.1", 152, 8},
        Control{"Label2", ControlKind::Label, AboutMaker, 152, 30},
        Control{"Image1", ControlKind::Picture, "", 8, 48, 128, 128},
        // Sized by hand: Wine draws the underlined text a little wider than it measures.
        Control{"Label3", ControlKind::LinkLabel, VendorHost, 152, 48, 190, 14},
        GlyphButtonAt("BitBtn1", "Ok", Glyph::Ok, {152, 194, 100, 25}),
    };
}
} // namespace

TFormAbout::TFormAbout(ShellApi& shell) : DialogModel("About", 350, 230, Layout()), shell_(shell) {
    SetBackground(DialogBackground::White);
}

void TFormAbout::OnClick(const std::string& name) {
    if (name == "Label3")
        OpenVendorPage(shell_, VendorHomePagePath);
    else if (name == "BitBtn1")
        Close(ModalResult::Ok);
}

} // namespace vantrel
