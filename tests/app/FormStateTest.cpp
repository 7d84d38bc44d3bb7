// The state behind closing, through the interleavings that matter (its saving part is tested
// through the main form, in ConfigurationHooksTest).
#include "app/FormState.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using AfterMenu = FormState::AfterMenu;

TEST(FormStateTest, ACloseWaitsForEveryMenuAndDialogOpen) {
    FormState state;
    state.MenuOpened();
    FormState::CloseSteps steps = state.CloseAsked();
    EXPECT_TRUE(steps.endMenu && !steps.cancelDialog && !steps.destroyWindow);
    EXPECT_EQ(state.MenuClosed(), AfterMenu::DestroyWindow);

    // A tray menu over a dialog: the menu closing must not destroy the window under the
    // dialog; the close comes again once the dialog has gone.
    state.DialogOpened();
    state.MenuOpened();
    steps = state.CloseAsked();
    EXPECT_TRUE(steps.endMenu && steps.cancelDialog && !steps.destroyWindow);
    EXPECT_EQ(state.MenuClosed(), AfterMenu::AwaitDialog);
    EXPECT_TRUE(state.DialogClosed());
    EXPECT_TRUE(state.CloseAsked().destroyWindow);

    // A dialog closed with no close waiting: the menu's choice runs as usual.
    state.DialogOpened();
    EXPECT_FALSE(state.DialogClosed());
    state.MenuOpened();
    EXPECT_EQ(state.MenuClosed(), AfterMenu::RunChoice);
}

// No to "Exit anyway?": a close from outside that waited for the question is not carried out.
TEST(FormStateTest, ACloseThatWaitedForTheExitQuestionYieldsToAUserWhoStays) {
    FormState state;
    state.DialogOpened();
    EXPECT_FALSE(state.DialogClosed());
    state.StayChosen(); // no close waited
    EXPECT_TRUE(state.CloseAsked().destroyWindow);

    state.DialogOpened();
    EXPECT_TRUE(state.CloseAsked().cancelDialog);
    EXPECT_TRUE(state.DialogClosed());
    state.StayChosen();
    EXPECT_FALSE(state.CloseAsked().destroyWindow) << "the close that came again";
    EXPECT_TRUE(state.CloseAsked().destroyWindow) << "a later one";
}

TEST(FormStateTest, AVersionResultWaitsForWhatIsOpenAndNeverForAClose) {
    FormState state;
    EXPECT_TRUE(state.VersionResultArrived(7));
    state.DialogOpened();
    EXPECT_FALSE(state.VersionResultArrived(9));
    EXPECT_EQ(state.TakeVersionResult(), std::nullopt);
    state.MenuOpened();
    state.CloseAsked();
    EXPECT_EQ(state.MenuClosed(), AfterMenu::AwaitDialog);
    EXPECT_EQ(state.TakeVersionResult(), std::nullopt) << "the program is closing";
    EXPECT_TRUE(state.DialogClosed());
    EXPECT_EQ(state.TakeVersionResult(), 9);
    EXPECT_EQ(state.TakeVersionResult(), std::nullopt) << "shown once";
}

} // namespace
} // namespace vantrel
