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
                       {"Edit1", ControlKind::Edit, "", 0, 0, 50, 21, 5},
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

// On one line (their boxes overlap in height, a label being a line of text high) left to
// right, else top to bottom.
bool ReadsBefore(const Control& a, const Control& b) {
    const auto bottom = [](const Control& c) { return c.top + (c.height ? c.height : 13); };
    const bool oneLine = a.top < bottom(b) && b.top < bottom(a);
    return oneLine ? a.left < b.left : a.top < b.top;
}

// Every dialog lists its controls as they show, each edit box right after its label; the
// host makes them in that order, the radio buttons together as one group, each other control
// a group of its own; Tab stops at the fields, the buttons and the checked radio button.
TEST(DialogModelTest, TheKeyboardTakesTheControlsInTheOrderTheyShow) {
    testing::FakePlatform fake;
    const Forms forms(fake.platform);
    for (const DialogModel* dialog : EveryDialog(forms)) {
        const std::vector<Control>& controls = dialog->Controls();
        for (std::size_t i = 1; i < controls.size(); ++i) {
            EXPECT_TRUE(ReadsBefore(controls[i - 1], controls[i]))
                << dialog->Caption() << " " << controls[i].name;
            if (controls[i].kind == ControlKind::Edit) {
                EXPECT_EQ(controls[i - 1].kind, ControlKind::Label) << controls[i].name;
            }
        }
    }
    const std::vector<Control>& file = forms.FormAddFile.Controls();
    std::string made, groups, tabs;
    for (const KeyboardPlace& place : KeyboardOrder(file)) {
        const Control& control = file[place.control];
        made += control.name + " ";
        groups += place.groupStart ? "" : control.name + " ";
        tabs += TakesTab(control) ? control.name + " " : "";
    }
    EXPECT_EQ(made, "RadioButton1 RadioButton2 RadioButton3 Label1 Edit1 Label2 Edit2 Button1 "
                    "Bevel1 Label3 Edit3 Label4 Edit4 Button2 Bevel3 Label5 Edit5 Bevel2 "
                    "BitBtn1 BitBtn2 ");
    EXPECT_EQ(groups, "RadioButton2 RadioButton3 "); // in the group of the first
    EXPECT_EQ(tabs, "RadioButton2 Edit1 Edit2 Button1 Edit3 Edit4 Button2 Edit5 BitBtn1 BitBtn2 ");
}

// The keyboard starts in the first field that takes text, else on OK. Enter presses the
// focused button or link, and OK from anywhere else; Esc is Cancel, or the close box where
// there is no Cancel.
TEST(DialogModelTest, EnterIsOkAndEscIsCancel) {
    testing::FakePlatform fake;
    Forms forms(fake.platform);
    EXPECT_EQ(forms.FormAddFile.StartControl(), "Edit3"); // folder mode: file fields disabled
    EXPECT_EQ(forms.FormAbout.StartControl(), "BitBtn1");
    TFormAddRun& run = forms.FormAddRun;
    run.UserEnter("Edit1");
    EXPECT_EQ(run.Result(), ModalResult::None); // OK refused: the fields are empty
    run.UserType("Edit1", "Ping");
    run.UserType("Edit2", "cmd /K ping");
    using R = ModalResult;
    const std::tuple<DialogModel*, const char*, ModalResult> keys[] = {
        {&run, "Button1", R::None}, // Test runs the line, the dialog stays
        {&run, "CheckBox1", R::Ok},
        {&run, "BitBtn2", R::Cancel},
        {&run, nullptr, R::Cancel},
        {&forms.FormAbout, nullptr, R::Cancel},
        {&forms.FormAbout, "", R::Ok},
        {&forms.FormAbout, "Label3", R::None}}; // the link opens the home page
    for (const auto& [dialog, focused, result] : keys) {
        dialog->BeginModal();
        focused ? dialog->UserEnter(focused) : dialog->UserEscape(); // null: Esc
        EXPECT_EQ(dialog->Result(), result)
            << dialog->Caption() << " " << (focused ? focused : "Esc");
    }
    EXPECT_EQ(fake.log.Matching("ShellExecute").size(), 2u);
}

} // namespace
} // namespace vantrel
