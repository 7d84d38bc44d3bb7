// The state behind closing and saving, through the interleavings that matter.
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

TEST(FormStateTest, ABurstMakesOneSaveAndAChangeDuringItIsSavedRightAfter) {
    FormState state;
    EXPECT_FALSE(state.Changed());
    EXPECT_TRUE(state.TreeChanged());
    EXPECT_FALSE(state.TreeChanged()) << "one timer for the burst";
    EXPECT_TRUE(state.SaveDue());
    state.SaveBegun();

    EXPECT_TRUE(state.TreeChanged()) << "the change during the save";
    EXPECT_FALSE(state.SaveDue()) << "the save in flight comes first";
    EXPECT_TRUE(state.SaveEnded(true).beginSave);
    EXPECT_TRUE(state.Changed());
    state.SaveBegun();
    EXPECT_FALSE(state.SaveEnded(true).beginSave);
    EXPECT_FALSE(state.Changed());
    EXPECT_FALSE(state.SaveEnded(true).beginSave) << "no save in flight";
}

TEST(FormStateTest, AFailureIsToldOnceAndTriedAgainAtTheNextChange) {
    FormState state;
    state.TreeChanged();
    state.SaveDue();
    state.SaveBegun();
    FormState::SaveEnd end = state.SaveEnded(false);
    EXPECT_TRUE(end.tellFailure);
    EXPECT_FALSE(end.beginSave) << "not tried over and over";
    EXPECT_TRUE(state.Changed());

    EXPECT_TRUE(state.TreeChanged());
    EXPECT_TRUE(state.SaveDue());
    state.SaveBegun();
    EXPECT_FALSE(state.SaveEnded(false).tellFailure) << "told once";

    state.Settled(); // written on the user-interface thread at last
    EXPECT_FALSE(state.Changed());
    state.TreeChanged();
    state.SaveDue();
    state.SaveBegun();
    EXPECT_TRUE(state.SaveEnded(false).tellFailure) << "a new failure after a save that worked";
}

} // namespace
} // namespace vantrel
