#include "editors/DialogModel.h"

#include "app/Forms.h"
#include "fakes/FakePlatform.h"
#include "platform/Dpi.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace vantrel {
namespace {

class SampleDialog : public DialogModel {
public:
    SampleDialog()
        : DialogModel("Sample", 200, 100,
                      {{"RadioButton1", ControlKind::RadioButton, "one"},
                       {"RadioButton2", ControlKind::RadioButton, "two"},
                       {"Edit1", ControlKind::Edit, "", 0, 0, 50, 21, 0, 5},
                       {"CheckBox1", ControlKind::CheckBox, "check"},
                       {"BitBtn1", ControlKind::GlyphButton, "Ok"}}) {}
    std::vector<std::string> clicks;

protected:
    void OnClick(const std::string& name) override {
        clicks.push_back(name);
        if (name == "BitBtn1")
            Close(ModalResult::Ok);
    }
};

TEST(DialogModelTest, CheckingARadioButtonActsLikeAClickAndUnchecksTheOthers) {
    SampleDialog dialog;
    dialog.SetChecked("RadioButton1", true);
    dialog.SetChecked("RadioButton2", true);
    EXPECT_FALSE(dialog.Checked("RadioButton1"));
    EXPECT_TRUE(dialog.Checked("RadioButton2"));
    EXPECT_EQ(dialog.clicks, (std::vector<std::string>{"RadioButton1", "RadioButton2"}));
    dialog.SetChecked("CheckBox1", true); // a check box only takes the state
    EXPECT_EQ(dialog.clicks.size(), 2u);
}

TEST(DialogModelTest, DisabledControlsIgnoreTheUser) {
    SampleDialog dialog;
    dialog.SetEnabled("Edit1", false);
    dialog.SetEnabled("BitBtn1", false);
    dialog.UserType("Edit1", "abc");
    dialog.UserClick("BitBtn1");
    EXPECT_EQ(dialog.Text("Edit1"), "");
    EXPECT_EQ(dialog.Result(), ModalResult::None);
}

TEST(DialogModelTest, TypingIsCutToTheLimitButProgramTextsAreKept) {
    SampleDialog dialog;
    dialog.UserType("Edit1", "abcdefgh");
    EXPECT_EQ(dialog.Text("Edit1"), "abcde");
    dialog.SetText("Edit1", "abcdefgh");
    EXPECT_EQ(dialog.Text("Edit1"), "abcdefgh");
}

TEST(DialogModelTest, ResultsAndUnknownControls) {
    SampleDialog dialog;
    dialog.UserClick("CheckBox1");
    EXPECT_TRUE(dialog.Checked("CheckBox1"));
    dialog.UserClick("BitBtn1");
    EXPECT_EQ(dialog.Result(), ModalResult::Ok);
    dialog.BeginModal();
    EXPECT_EQ(dialog.Result(), ModalResult::None);
    dialog.UserClose();
    EXPECT_EQ(dialog.Result(), ModalResult::Cancel);
    EXPECT_THROW(dialog["Edit9"], std::out_of_range);
}

// 100, 125, 150, 200 and 300%.
constexpr int Scalings[] = {96, 120, 144, 192, 288};

std::vector<const DialogModel*> EveryDialog(const Forms& f) {
    return {&f.FormAddRun,  &f.FormAddNetwork,    &f.FormAddInternet, &f.FormAddApp,
            &f.FormAddFile, &f.FormCheckUpdates, &f.FormAbout};
}

// Every dialog at every scaling: as designed at 100%, each box within a pixel of the exact
// scale, inside the client area, and boxes that met at 100% still meet.
TEST(DialogModelTest, LayoutsScaleWithTheirEdgesInStep) {
    testing::FakePlatform fake;
    const Forms forms(fake.platform);
    for (const DialogModel* dialog : EveryDialog(forms)) {
        for (const int dpi : Scalings) {
            const int clientWidth = ScaledLength(dialog->ClientWidth(), dpi);
            const int clientHeight = ScaledLength(dialog->ClientHeight(), dpi);
            const std::string where = dialog->Caption() + " at " + std::to_string(dpi);
            for (const Control& a : dialog->Controls()) {
                const ControlBox box = ScaledBox(a, dpi);
                if (dpi == DesignDpi) {
                    EXPECT_EQ(std::make_tuple(box.left, box.top, box.width, box.height),
                              std::make_tuple(a.left, a.top, a.width, a.height)) << where;
                }
                EXPECT_LE(std::abs(box.width * DesignDpi - a.width * dpi), DesignDpi) << where;
                EXPECT_LE(std::abs(box.left * DesignDpi - a.left * dpi), DesignDpi / 2) << where;
                EXPECT_LE(box.left + box.width, clientWidth) << where << " " << a.name;
                EXPECT_LE(box.top + box.height, clientHeight) << where << " " << a.name;
                for (const Control& b : dialog->Controls()) {
                    if (a.width && a.left + a.width == b.left) {
                        EXPECT_EQ(box.left + box.width, ScaledBox(b, dpi).left) << where;
                    }
                    if (a.height && a.top + a.height == b.top) {
                        EXPECT_EQ(box.top + box.height, ScaledBox(b, dpi).top) << where;
                    }
                }
            }
        }
    }
}

} // namespace
} // namespace vantrel
