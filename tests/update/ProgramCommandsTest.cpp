#include "app/Forms.h"
#include "app/MainForm.h"
#include "fakes/FakePlatform.h"
#include "update/CheckVersion.h"
#include "update/FormAbout.h"
#include "update/FormCheckUpdates.h"

#include <gtest/gtest.h>

#include <chrono>

namespace vantrel {
namespace {

using testing::FakePlatform;
using testing::FakeShell;

const std::string HomePage =
    "ShellExecute verb=open file=http://www.vantrel.example/home.html params=<null> "
    "dir=<null> show=1";
const std::string Downloads =
    "ShellExecute verb=open file=http://www.vantrel.example/downloads.html params=<null> "
    "dir=<null> show=1";

// The message loop of the test: hands the posted messages to the form until the result
// has been handled.
void PumpUntilResult(FakePlatform& fake, MainForm& form) {
    for (;;) {
        const auto message = fake.messages.Next(std::chrono::seconds(10));
        ASSERT_TRUE(message.has_value()) << "no result within 10 s";
        if (message->message == VersionNoticeMessage)
            form.RunVersionCheckNotices();
        if (message->message == VersionResultMessage) {
            form.HandleVersionResult(message->lParam);
            return;
        }
    }
}

struct DialogSeen {
    std::string text;
    std::string button;
};

// Answers the result dialog with its button (or its close box) and notes what it said.
void AnswerResultDialog(FakePlatform& fake, DialogSeen& seen, bool pressButton) {
    fake.ui.dialogScripts.push_back([&seen, pressButton](DialogModel& dialog) {
        seen = {dialog.Text("Label1"), dialog.Text("BitBtn1")};
        if (pressButton)
            dialog.UserClick("BitBtn1");
    });
}

struct CheckCase {
    std::optional<std::string> content;
    bool pressButton;
    std::string text;
    std::string button;
    bool downloads;
};

TEST(VersionCheckTest, ShowsTheResultAndOpensTheDownloadsPageOnlyAfterDownload) {
    const CheckCase cases[] = {
        {"101", true, "New version 1.0.1 is available", "Download", true},
        {"101", false, "New version 1.0.1 is available", "Download", false},
        {"1234", true, "New version 12.3.4 is available", "Download", true},
        {"100", true, "No new version is available at this time.", "Ok", false},
        {"99", true, "No new version is available at this time.", "Ok", false},
        {"101\n", true, "Unable to read version information.", "Ok", false},
        {std::nullopt, true, "Unable to read version information.", "Ok", false},
    };
    for (const CheckCase& c : cases) {
        FakePlatform fake;
        fake.internet.content = c.content;
        MainForm form(fake.platform);
        DialogSeen seen;
        AnswerResultDialog(fake, seen, c.pressButton);
        form.PopupMenuSubCheckforupdatesClick();
        PumpUntilResult(fake, form);
        const std::string label = c.content ? *c.content : "<read fails>";
        EXPECT_EQ(seen.text, c.text) << label;
        EXPECT_EQ(seen.button, c.button) << label;
        EXPECT_EQ(fake.log.Contains(Downloads), c.downloads) << label;
        EXPECT_FALSE(form.VersionCheckRunning()) << label;
        EXPECT_TRUE(form.PopupMenuSubCheckforupdates().enabled) << label;
    }
}

TEST(VersionCheckTest, TheEntryIsDisabledWhileTheWorkerRunsAndTheResultIsPosted) {
    FakePlatform fake;
    fake.internet.content = "101";
    MainForm form(fake.platform);
    bool disabledDuringFetch = false;
    fake.internet.duringOpenUrl = [&] {
        // The worker's thread, while the user-interface thread waits for the next message.
        disabledDuringFetch = !form.PopupMenuSubCheckforupdates().enabled;
    };
    form.PopupMenuSubCheckforupdatesClick();
    PumpUntilResult(fake, form);
    EXPECT_TRUE(disabledDuringFetch);
    EXPECT_TRUE(fake.log.Contains("PostMessageA msg=0x40a wParam=0 lParam=101"));
    EXPECT_EQ(fake.log.Matching("ShowModal"),
              (std::vector<std::string>{"ShowModal Check for updates"}));
}

TEST(VersionCheckTest, StartingAgainCancelsTheEarlierWorkerWhichPostsNothing) {
    FakePlatform fake;
    fake.internet.content = "101";
    MainForm form(fake.platform);
    form.PopupMenuSubCheckforupdatesClick();
    form.PopupMenuSubCheckforupdatesClick();
    PumpUntilResult(fake, form);
    int results = 0;
    for (const auto& message : fake.messages.History())
        results += message.message == VersionResultMessage;
    EXPECT_EQ(results, 1);
    EXPECT_EQ(fake.log.Matching("ShowModal").size(), 1u);
}

TEST(VersionCheckTest, ExitWhileACheckRunsWaitsForItAndShowsNothing) {
    FakePlatform fake;
    MainForm form(fake.platform);
    form.FormCreate();
    form.PopupMenuSubCheckforupdatesClick();
    form.FormDestroy();
    EXPECT_FALSE(form.VersionCheckRunning());
    for (const auto& message : fake.messages.History())
        EXPECT_NE(message.message, VersionResultMessage);
    // A wake-up still queued when the worker is gone finds nothing to run.
    form.RunVersionCheckNotices();
    EXPECT_TRUE(fake.log.Matching("ShowModal").empty());
}

TEST(ResultDialogTest, ButtonGivesOkAndTheCloseBoxCancel) {
    TFormCheckUpdates dialog;
    dialog.BeginModal();
    dialog.UserClick("BitBtn1");
    EXPECT_EQ(dialog.Result(), ModalResult::Ok);
    dialog.BeginModal();
    dialog.UserClose();
    EXPECT_EQ(dialog.Result(), ModalResult::Cancel);
}

TEST(DialogLayoutTest, EveryControlLiesInsideTheClientArea) {
    FakePlatform fake;
    TFormCheckUpdates checkUpdates;
    TFormAbout about(fake.shell);
    for (const DialogModel* dialog :
         {static_cast<DialogModel*>(&checkUpdates), static_cast<DialogModel*>(&about)}) {
        for (const Control& control : dialog->Controls()) {
            EXPECT_LE(control.left + control.width, dialog->ClientWidth()) << control.name;
            EXPECT_LE(control.top + control.height, dialog->ClientHeight()) << control.name;
        }
    }
    EXPECT_EQ(about.Background(), DialogBackground::White);
    EXPECT_EQ(checkUpdates.Background(), DialogBackground::Standard);
}

TEST(HomePageTest, BothMenusAndTheAboutBoxLinkOpenTheHomePage) {
    FakePlatform fake;
    MainForm form(fake.platform);
    form.MenuItemClick(*form.PopupMenuMain().Find("HomePage1"));
    form.MenuItemClick(*form.PopupMenuSub().Find("PopupMenuSubHomePage"));
    fake.ui.dialogScripts.push_back([](DialogModel& about) {
        about.UserClick("Label3");
        about.UserClick("BitBtn1");
    });
    form.MenuItemClick(*form.PopupMenuSub().Find("PopupMenuSubAbout"));
    EXPECT_EQ(fake.log.calls,
              (std::vector<std::string>{HomePage, HomePage, "ShowModal About", HomePage}));
    EXPECT_EQ(form.Dialogs().FormAbout.Result(), ModalResult::Ok);
}

} // namespace
} // namespace vantrel
