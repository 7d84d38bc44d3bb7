#include "app/MainForm.h"
#include "fakes/FakePlatform.h"
#include "tree/Entries.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using testing::FakePlatform;

std::vector<std::string> Captions(const MenuNode& node) {
    std::vector<std::string> captions;
    for (std::size_t i = 0; i < node.Count(); ++i)
        captions.push_back(node.Child(i).caption);
    return captions;
}

const std::string RunValue = std::string(RunKeyPath) + "\\Vantrel";

TEST(MainFormLayoutTest, MainMenuHasTenEntriesInOrder) {
    FakePlatform fake;
    MainForm form(fake.platform);
    EXPECT_EQ(Captions(form.PopupMenuMain()),
              (std::vector<std::string>{"Home Page", "-", "Files and Folders", "Internet Links",
                                        "Network Resources", "Applications", "Run", "Operations",
                                        "System Links", "Disk Drives"}));
    for (MenuNode* category : form.CategoryMenus().InFileOrder()) {
        ASSERT_EQ(category->Count(), 2u);
        EXPECT_EQ(category->Child(0).caption, "Add New Item");
        EXPECT_EQ(category->Child(0).imageIndex, 18);
        EXPECT_EQ(category->Child(0).command, Command::AddNewItem);
        EXPECT_TRUE(category->Child(1).IsSeparator());
    }
    EXPECT_EQ(form.PopupMenuMain().Find("AddNewItem1")->Parent()->caption, "Run");
    EXPECT_EQ(form.PopupMenuMain().Find("AddNewItem5")->Parent()->caption, "Files and Folders");
}

TEST(MainFormLayoutTest, OperationsAndSubMenu) {
    FakePlatform fake;
    MainForm form(fake.platform);
    const MenuNode& operations = *form.PopupMenuMain().Find("PopupMenuOperations");
    EXPECT_EQ(Captions(operations),
              (std::vector<std::string>{"Launch Screensaver", "-", "Lock Workstation", "Log off",
                                        "-", "Sleep", "Hibernate", "Monitor sleep", "-", "Reboot",
                                        "Shutdown", "Power off"}));
    EXPECT_EQ(operations.Child(11).command, Command::PowerOff);
    EXPECT_EQ(operations.Child(9).imageIndex, 14);

    const MenuNode& sub = form.PopupMenuSub();
    EXPECT_EQ(Captions(sub),
              (std::vector<std::string>{"Home Page", "Check for Updates", "About", "Find...",
                                        "Settings...", "-", "Run at System Startup", "-",
                                        "Exit"}));
    EXPECT_EQ(sub.Child(3).command, Command::Find);
    EXPECT_EQ(sub.Child(4).command, Command::Settings);
    EXPECT_FALSE(sub.Child(1).visible);
    for (std::size_t i = 0; i < sub.Count(); ++i) {
        if (i != 1) {
            EXPECT_TRUE(sub.Child(i).visible) << i;
        }
    }
}

TEST(MainFormStartupTest, RunsTheStepsInOrder) {
    FakePlatform fake;
    MainForm form(fake.platform);
    form.FormCreate();
    // The tray icon shows once the process facts are known; then COM is started, the System
    // Links catalogue looked up, the configuration read (with no file, the example content is
    // made), the Run key read, then the settings (no file: the defaults) and the shortcut.
    const std::string runKeyRead =
        "RegReadUser " + std::string(RunKeyPath) + " value=Vantrel buffer=280";
    const int catalogue = fake.log.IndexOf("GetSystemDirectory");
    const int load = fake.log.IndexOf("File open path=C:\\Tools\\Config.dat");
    ASSERT_GT(catalogue, fake.log.IndexOf("ShowTrayIcon ok"));
    ASSERT_GT(load, catalogue);
    ASSERT_LT(load, fake.log.IndexOf(runKeyRead));
    fake.log.calls.erase(fake.log.calls.begin() + catalogue,
                         fake.log.calls.begin() + fake.log.IndexOf(runKeyRead));
    // No picture is asked for at start-up; the rows' own are read a while after the tray
    // icon shows, in the background (first the example folder of Files and Folders: nothing
    // else is at its depth).
    EXPECT_EQ(fake.log.calls,
              (std::vector<std::string>{
                  "HideMainForm", "ShowTrayIcon ok", "CoInitializeEx apartment",
                  "RegReadUser " + std::string(RunKeyPath) + " value=Vantrel buffer=280",
                  "File open path=C:\\Tools\\Settings.ini",
                  "File exists path=C:\\Tools\\Settings.ini", "RegisterHotKey 1 Win+Alt+M",
                  "RegisterHotKey 3 Win+Alt+F",
                  "ShowBalloon title=Vantrel text=Left-click here to popup the menu. "
                  "timeout=3000",
                  "StartTimer 1 3000"}));
    fake.log.calls.clear();
    form.TimerElapsed(PicturesTimer);
    EXPECT_EQ(fake.log.calls,
              (std::vector<std::string>{"GetDriveType C:\\", "ReadPicture C:\\Windows system32"}));
    EXPECT_TRUE(form.Facts().startupComplete);
    EXPECT_EQ(form.Facts().osMajorVersion, 6u);
    EXPECT_FALSE(form.PopupMenuSubRunAtSystemStartup().checked);
}

TEST(MainFormStartupTest, TrayIconIsRetriedEverySecondUntilShown) {
    FakePlatform fake;
    fake.ui.trayAnswers = {false, false, false, true};
    MainForm form(fake.platform);
    form.FormCreate();
    EXPECT_EQ(fake.log.Matching("Sleep"),
              (std::vector<std::string>{"Sleep 1000", "Sleep 1000", "Sleep 1000"}));
    EXPECT_EQ(fake.log.Matching("ShowBalloon").size(), 1u);
    EXPECT_TRUE(fake.ui.trayVisible);
}

TEST(MainFormStartupTest, ProbesWow64AndRedirectionEntryPointsIndependently) {
    FakePlatform fake;
    fake.process.isWow64 = false;
    fake.process.hasDisable = true;
    fake.process.hasRevert = true;
    fake.process.version = 0x0A00000A; // low byte 10
    MainForm form(fake.platform);
    form.FormCreate();
    EXPECT_FALSE(form.Facts().isWow64);
    EXPECT_TRUE(form.Facts().hasDisableRedirection);
    EXPECT_TRUE(form.Facts().hasRevertRedirection);
    EXPECT_EQ(form.Facts().osMajorVersion, 10u);

    // Outside WOW64 the bracket never calls the system.
    SuspendRedirection(form.Facts(), fake.process);
    RestoreRedirection(form.Facts(), fake.process);
    EXPECT_TRUE(fake.log.Matching("Wow64").empty());
}

TEST(MainFormStartupTest, RedirectionBracketPassesTheCookieBack) {
    FakePlatform fake;
    fake.process.isWow64 = true;
    fake.process.hasDisable = true;
    fake.process.hasRevert = true;
    ProcessFacts facts;
    ProbeProcessFacts(facts, fake.process);
    facts.redirectionCookie = 77;
    WithRedirectionSuspended(facts, fake.process, [&] { fake.log.Add("work"); });
    EXPECT_EQ(fake.log.calls,
              (std::vector<std::string>{"Wow64DisableWow64FsRedirection", "work",
                                        "Wow64RevertWow64FsRedirection cookie=0x5150"}));

    fake.log.calls.clear();
    EXPECT_THROW(WithRedirectionSuspended(facts, fake.process,
                                          [] { throw std::runtime_error("failed"); }),
                 std::runtime_error);
    EXPECT_EQ(fake.log.Matching("Wow64Revert").size(), 1u);

    fake.log.calls.clear();
    fake.process.hasRevert = false;
    ProbeProcessFacts(facts, fake.process);
    WithRedirectionSuspended(facts, fake.process, [] {});
    EXPECT_EQ(fake.log.calls, (std::vector<std::string>{"Wow64DisableWow64FsRedirection"}));
}

struct RunValueCase {
    std::string stored;
    bool checked;
};

TEST(MainFormStartupTest, RunValueChecksTheSwitchOnlyForTheProgramPathQuotedOrNot) {
    const std::string path = "C:\\Tools\\Vantrel.exe";
    const RunValueCase cases[] = {
        {path + std::string(1, '\0'), true},
        {path, true}, // stored without its terminating zero
        {"\"" + path + "\"" + std::string(1, '\0'), true},
        {"\"" + path + std::string(1, '\0'), false},
        {"c:\\tools\\vantrel.exe" + std::string(1, '\0'), false},
        {std::string(1, '\0'), false},
        {std::string(281, 'a'), false},
    };
    for (const RunValueCase& c : cases) {
        FakePlatform fake;
        fake.process.moduleFileName = path;
        fake.registry.values[RunValue] = c.stored;
        MainForm form(fake.platform);
        form.FormCreate();
        EXPECT_EQ(form.PopupMenuSubRunAtSystemStartup().checked, c.checked) << c.stored;
    }
}

TEST(MainFormClicksTest, LeftClickShowsMainMenuAnyOtherButtonTheSubMenu) {
    FakePlatform fake;
    MainForm form(fake.platform);
    form.TrayIcon1MouseDown(MouseButton::Left, 100, 200);
    form.TrayIcon1MouseDown(MouseButton::Right, 5, 6);
    form.TrayIcon1MouseDown(MouseButton::Middle, 7, 8);
    form.ShowTrayMenu(TrayMenu::Second, 9, 10, MenuStart::FirstRowLit);
    EXPECT_EQ(fake.log.calls,
              (std::vector<std::string>{
                  "GetLogicalDrives", "BringToForeground", "ShowPopupMenu PopupMenuMain at 100,200",
                  "BringToForeground", "ShowPopupMenu PopupMenuSub at 5,6", "BringToForeground",
                  "ShowPopupMenu PopupMenuSub at 7,8", "BringToForeground",
                  "ShowPopupMenu PopupMenuSub at 9,10 first row lit"}));
}

TEST(MainFormClicksTest, DrivePicturesComeAtTheSizeOfTheMonitorClickedOn) {
    FakePlatform fake;
    fake.drives.mask = 1u << 2; // C:
    MainForm form(fake.platform);
    for (const int dpi : {144, 96, 192}) {
        fake.ui.dpi = dpi;
        form.TrayIcon1MouseDown(MouseButton::Left, 100, 200);
    }
    EXPECT_EQ(fake.log.Matching("SHGetFileInfo"),
              (std::vector<std::string>{"SHGetFileInfo path=C:\\ side=24",
                                        "SHGetFileInfo path=C:\\",
                                        "SHGetFileInfo path=C:\\ side=32"}));
}

TEST(MainFormShutdownTest, ExitClosesTheFormAndDestroyReleasesEverything) {
    FakePlatform fake;
    const long recordsBefore = LinkEntry::LiveCount();
    MainForm form(fake.platform);
    form.FormCreate();
    MenuNode& group = CreateGroupEntry(*form.CategoryMenus().run, "g", LinkKindRun, 0);
    CreateGroupEntry(group, "inner", LinkKindRun, 0);
    fake.log.calls.clear();

    form.MenuItemClick(*form.PopupMenuSub().Find("PopupMenuSubExit"));
    EXPECT_EQ(fake.log.Matching("CloseMainForm").size(), 1u);
    EXPECT_EQ(fake.log.calls.back(), "CloseMainForm"); // after the tree was saved

    form.FormDestroy();
    EXPECT_EQ(LinkEntry::LiveCount(), recordsBefore);
    for (MenuNode* category : form.CategoryMenus().InFileOrder())
        EXPECT_EQ(category->Count(), 0u);
    EXPECT_EQ(fake.log.Matching("HideTrayIcon").size(), 1u);
    EXPECT_EQ(fake.log.calls.back(), "CoUninitialize");
    EXPECT_FALSE(fake.ui.trayVisible);
}

TEST(MainFormShutdownTest, SessionEndAnswersYes) {
    FakePlatform fake;
    MainForm form(fake.platform);
    form.FormCreate();
    EXPECT_EQ(form.HandleQueryEndSession(), 1);
}

TEST(MainFormShutdownTest, FormDestroyedWithoutShutdownReleasesRecords) {
    FakePlatform fake;
    const long recordsBefore = LinkEntry::LiveCount();
    const long nodesBefore = MenuNode::LiveCount();
    {
        MainForm form(fake.platform);
        CreateGroupEntry(*form.CategoryMenus().files, "g", LinkKindFile, 0);
    }
    EXPECT_EQ(LinkEntry::LiveCount(), recordsBefore);
    EXPECT_EQ(MenuNode::LiveCount(), nodesBefore);
}

} // namespace
} // namespace vantrel
