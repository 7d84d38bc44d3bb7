#include "editors/DialogModel.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace vantrel
