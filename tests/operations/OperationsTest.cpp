#include "operations/Operations.h"

#include "app/MainForm.h"
#include "fakes/FakePlatform.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using testing::FakePlatform;

const std::string Question =
    "AskYesNo title=Confirm text=Are you sure you want to run this operation?";
const std::string Save = "SaveConfiguration";
const std::string Privilege = "EnableShutdownPrivilege";

struct OperationCase {
    Command command;
    bool saves; // saves and enables the shutdown privilege first
    std::string call;
};

const OperationCase Cases[] = {
    {Command::Screensaver, false, "Broadcast msg=0x112 wParam=0xf140 lParam=0"},
    {Command::LockWorkstation, false, "LockWorkStation"},
    {Command::Logoff, true, "ExitWindowsEx flags=4 reason=0x80020003"},
    {Command::Sleep, true, "SetSuspendState hibernate=0 force=1 disableWake=0"},
    {Command::Hibernate, true, "SetSuspendState hibernate=1 force=1 disableWake=0"},
    {Command::MonitorSleep, false, "Broadcast msg=0x112 wParam=0xf170 lParam=1"},
    {Command::Reboot, true, "ExitWindowsEx flags=6 reason=0x80020003"},
    {Command::Shutdown, true, "ExitWindowsEx flags=5 reason=0x80020003"},
    {Command::PowerOff, true, "ExitWindowsEx flags=12 reason=0x80020003"},
};

std::vector<std::string> Confirmed(FakePlatform& fake, Command command, bool startupComplete) {
    ProcessFacts facts;
    facts.startupComplete = startupComplete;
    RunOperation(command, fake.platform, facts, [&] { fake.log.Add(Save); });
    return fake.log.calls;
}

TEST(OperationsTest, YesSavesAndEnablesThePrivilegeBeforeTheCallWhereTheSessionEnds) {
    for (const OperationCase& c : Cases) {
        FakePlatform fake;
        fake.ui.messageBoxAnswers = {MessageBoxResult::Yes};
        const std::vector<std::string> expected =
            c.saves ? std::vector<std::string>{Question, Save, Privilege, c.call}
                    : std::vector<std::string>{Question, c.call};
        EXPECT_EQ(Confirmed(fake, c.command, true), expected) << c.call;
    }
}

TEST(OperationsTest, NothingIsSavedBeforeStartupHasCompleted) {
    for (const OperationCase& c : Cases) {
        FakePlatform fake;
        fake.ui.messageBoxAnswers = {MessageBoxResult::Yes};
        const std::vector<std::string> expected =
            c.saves ? std::vector<std::string>{Question, Privilege, c.call}
                    : std::vector<std::string>{Question, c.call};
        EXPECT_EQ(Confirmed(fake, c.command, false), expected) << c.call;
    }
}

TEST(OperationsTest, AnyAnswerButYesDoesNothing) {
    for (const MessageBoxResult answer :
         {MessageBoxResult::No, MessageBoxResult::Cancel, MessageBoxResult::Other}) {
        for (const OperationCase& c : Cases) {
            FakePlatform fake;
            fake.ui.messageBoxAnswers = {answer};
            EXPECT_EQ(Confirmed(fake, c.command, true), std::vector<std::string>{Question})
                << c.call;
        }
    }
}

TEST(OperationsTest, TheCallIsMadeEvenWhenThePrivilegeCannotBeEnabled) {
    FakePlatform fake;
    fake.power.privilegeEnabled = false;
    fake.ui.messageBoxAnswers = {MessageBoxResult::Yes};
    EXPECT_EQ(Confirmed(fake, Command::Shutdown, true).back(),
              "ExitWindowsEx flags=5 reason=0x80020003");
}

TEST(OperationsTest, OtherCommandsAreNotOperations) {
    FakePlatform fake;
    fake.ui.messageBoxAnswers = {MessageBoxResult::Yes};
    EXPECT_TRUE(Confirmed(fake, Command::Exit, true).empty());
}

TEST(OperationsTest, TheOperationsMenuReachesThemThroughTheMainForm) {
    FakePlatform fake;
    MainForm form(fake.platform);
    MenuNode& operations = *form.PopupMenuMain().Find("PopupMenuOperations");
    fake.ui.messageBoxAnswers = {MessageBoxResult::No, MessageBoxResult::Yes};
    form.MenuItemClick(*operations.Find("PopupMenuOperationsPoweroff"));
    form.MenuItemClick(*operations.Find("PopupMenuOperationsLockWorkstation"));
    EXPECT_EQ(fake.log.calls, (std::vector<std::string>{Question, Question, "LockWorkStation"}));
}

} // namespace
} // namespace vantrel
