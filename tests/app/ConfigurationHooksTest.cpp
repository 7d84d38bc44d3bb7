// When the main form loads and saves the user's tree.

#include "app/MainForm.h"
#include "fakes/FakePlatform.h"
#include "tree/ConfigTestSupport.h"
#include "tree/Configuration.h"
#include "tree/Entries.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using namespace testing;

// A save writes two temporary files; counting their creation counts the saves.
std::size_t SavesIn(const CallLog& log) {
    return log.Matching("File create path=C:\\Tools\\Config.dat.tmp").size();
}

TEST(ConfigurationHooksTest, FirstStartCreatesTheExamplesAndExitStoresThem) {
    FakePlatform fake;
    std::string shown;
    {
        MainForm form(fake.platform);
        form.FormCreate();
        shown = Describe(form.CategoryMenus());
        EXPECT_NE(shown.find("Examples"), std::string::npos);
        EXPECT_EQ(SavesIn(fake.log), 0u) << "start-up never writes";
        form.PopupMenuSubExitClick();
        form.FormDestroy();
    }
    EXPECT_EQ(SavesIn(fake.log), 1u);
    ASSERT_TRUE(fake.files.files.count(PrimaryPath));
    EXPECT_EQ(fake.files.files[PrimaryPath], fake.files.files[CopyPath]);

    // The next start shows the same tree and does not create the examples again.
    fake.files.Restart();
    MainForm next(fake.platform);
    next.FormCreate();
    EXPECT_EQ(Describe(next.CategoryMenus()), shown);
}

TEST(ConfigurationHooksTest, SessionEndSavesOnceAndDestroyDoesNotSaveAgain) {
    FakePlatform fake;
    MainForm form(fake.platform);
    form.FormCreate();
    EXPECT_EQ(form.HandleQueryEndSession(), 1);
    EXPECT_EQ(SavesIn(fake.log), 1u);
    form.FormDestroy();
    EXPECT_EQ(SavesIn(fake.log), 1u);
}

TEST(ConfigurationHooksTest, ExitThatCannotSaveAsksBeforeLosingChanges) {
    FakePlatform fake;
    MainForm form(fake.platform);
    form.FormCreate();
    fake.files.readOnlyDirectory = true;

    // No: the program stays, with the tree, and a later Exit tries again.
    fake.ui.messageBoxAnswers = {MessageBoxResult::No};
    form.PopupMenuSubExitClick();
    const auto asked = fake.log.Matching("AskYesNo");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].rfind("AskYesNo default=No title=Vantrel text=", 0), 0u) << asked[0];
    EXPECT_NE(asked[0].find("could not be saved to C:\\Tools\\Config2.dat."), std::string::npos)
        << asked[0];
    EXPECT_TRUE(fake.log.Matching("CloseMainForm").empty());

    fake.files.readOnlyDirectory = false;
    form.PopupMenuSubExitClick();
    EXPECT_EQ(fake.log.Matching("AskYesNo").size(), 1u) << "a save that works asks nothing";
    EXPECT_EQ(fake.log.Matching("CloseMainForm").size(), 1u);
    EXPECT_TRUE(fake.files.files.count(PrimaryPath));
    const std::size_t saves = SavesIn(fake.log);
    form.FormDestroy();
    EXPECT_EQ(SavesIn(fake.log), saves) << "saved once, at Exit";
}

TEST(ConfigurationHooksTest, ExitAnsweredYesClosesWithoutTryingAgain) {
    FakePlatform fake;
    MainForm form(fake.platform);
    form.FormCreate();
    fake.files.readOnlyDirectory = true;
    fake.ui.messageBoxAnswers = {MessageBoxResult::Yes};
    form.PopupMenuSubExitClick();
    EXPECT_EQ(fake.log.Matching("CloseMainForm").size(), 1u);
    const std::size_t attempts = fake.log.Matching("File create").size();
    form.FormDestroy();
    EXPECT_EQ(fake.log.Matching("File create").size(), attempts);
}

TEST(ConfigurationHooksTest, OperationsThatEndTheSessionOrSuspendSaveFirst) {
    for (Command operation : {Command::Reboot, Command::Sleep, Command::LockWorkstation}) {
        FakePlatform fake;
        MainForm form(fake.platform);
        form.FormCreate();
        fake.ui.messageBoxAnswers = {MessageBoxResult::Yes};
        form.OperationClick(operation);
        const bool saves = operation != Command::LockWorkstation;
        EXPECT_EQ(SavesIn(fake.log), saves ? 1u : 0u) << static_cast<int>(operation);
        EXPECT_EQ(fake.files.files.count(PrimaryPath), saves ? 1u : 0u);
    }
}

TEST(ConfigurationHooksTest, NothingIsSavedWithoutACompleteStartUp) {
    FakePlatform fake;
    fake.files.files[PrimaryPath] = "the user's file";
    MainForm form(fake.platform);
    CreateGroupEntry(*form.CategoryMenus().run, "half-built", LinkKindRun, 0);
    form.SaveConfiguration(); // as a power operation would, before start-up ended
    EXPECT_EQ(form.HandleQueryEndSession(), 1);
    form.FormDestroy();
    EXPECT_EQ(SavesIn(fake.log), 0u);
    EXPECT_EQ(fake.files.files[PrimaryPath], "the user's file");
}

TEST(ConfigurationHooksTest, DamagedFileIsKeptWhenTheExamplesAreSaved) {
    FakePlatform fake;
    const std::string damaged = "\x02garbage";
    fake.files.files[PrimaryPath] = damaged;
    MainForm form(fake.platform);
    form.FormCreate();
    EXPECT_NE(Describe(form.CategoryMenus()).find("Examples"), std::string::npos);
    form.FormDestroy();
    EXPECT_EQ(SavesIn(fake.log), 1u);
    EXPECT_EQ(fake.files.files["C:\\Tools\\Config.dat.damaged"], damaged);
}

TEST(ConfigurationHooksTest, UnreadableFileThatCannotBeSetAsideIsNeverOverwritten) {
    FakePlatform fake;
    fake.files.files[PrimaryPath] = "held by another program";
    fake.files.locked.insert(PrimaryPath);
    MainForm form(fake.platform);
    form.FormCreate();
    EXPECT_TRUE(form.Facts().startupComplete);
    EXPECT_EQ(form.HandleQueryEndSession(), 1);
    form.PopupMenuSubExitClick(); // a save held back on purpose is no failure: no question
    EXPECT_TRUE(fake.log.Matching("AskYesNo").empty());
    EXPECT_EQ(fake.log.Matching("CloseMainForm").size(), 1u);
    form.FormDestroy();
    EXPECT_EQ(SavesIn(fake.log), 0u);
    EXPECT_FALSE(fake.files.files.count(CopyPath));
}

TEST(ConfigurationHooksTest, AFailingPictureLookupCostsNoRecord) {
    struct ThrowingIconsProcess : FakeProcess {
        using FakeProcess::FakeProcess;
        std::string WindowsDirectory() override { throw std::bad_alloc(); }
    };
    FakePlatform fake;
    ThrowingIconsProcess process(fake.log);
    Platform platform = WithProcess(fake, process);
    FileSpec spec;
    spec.categories[1] = {Item("bare name", 0, 4, "calc.exe"), Item("after", 0, 4, "C:\\x")};
    const std::string stored = FileBytes(spec);
    fake.files.files[PrimaryPath] = stored;
    MainForm form(platform);
    form.FormCreate();
    form.TimerElapsed(PicturesTimer);
    while (fake.pictures.ReadNext())
        form.CollectPictures();
    EXPECT_TRUE(form.Facts().startupComplete);
    form.TreeChanged(); // so that the tree is written again
    form.FormDestroy();
    EXPECT_EQ(SavesIn(fake.log), 1u);
    EXPECT_EQ(fake.files.files[PrimaryPath], stored);
}

// ---- Saved at every change -----------------------------------------------------------------

struct SaveOnChangeTest : ::testing::Test {
    FakePlatform fake;
    std::string stored;
    bool saveTimerAtStart = false;
    std::optional<Platform> platform;
    std::unique_ptr<MainForm> form;

    // Starts on whole files with one group in Run and an application, which `alter` may
    // change first.
    void Start(FakeFiles& disk, Platform parts, std::function<void(FakeFiles&)> alter = {}) {
        FileSpec spec;
        spec.categories[0] = {Group("G", 0)};
        spec.categories[1] = {Item("app", 0, 4, "C:\\app.exe")};
        stored = FileBytes(spec);
        disk.files[PrimaryPath] = disk.files[CopyPath] = stored;
        if (alter)
            alter(disk);
        platform.emplace(parts);
        form = std::make_unique<MainForm>(*platform);
        form->FormCreate();
        saveTimerAtStart = !fake.log.Matching("StartTimer 2 1000").empty();
        fake.log.calls.clear();
    }
    void Start() { Start(fake.files, fake.platform); }
    void Change() {
        CreateGroupEntry(*form->CategoryMenus().run, "new", LinkKindRun, 0);
        form->TreeChanged();
    }
    // The save thread runs to its end, and the form hears of it.
    void FinishSave() {
        ASSERT_TRUE(fake.saveThread.Finish());
        form->SaveEnded(fake.messages.History().back().wParam);
    }
    void SaveRuns() {
        form->TimerElapsed(SaveTimer);
        FinishSave();
    }
    std::string Tree() { return Describe(form->CategoryMenus()); }
    // The tree the next start would show.
    std::string Stored() {
        FakePlatform next;
        next.files.files = fake.files.files;
        Menus menus;
        LoadConfiguration(menus.categories(), next.platform);
        return Describe(menus.categories());
    }
    std::size_t Balloons() { return fake.log.Matching("ShowBalloon").size(); }
    // The save timer, the end of the session, Exit and the end of the program write nothing
    // and ask nothing.
    void NothingIsWrittenAtAnyMoment() {
        form->TimerElapsed(SaveTimer);
        EXPECT_EQ(form->HandleQueryEndSession(), 1);
        form->HandleEndSession(true);
        form->PopupMenuSubExitClick();
        form->FormDestroy();
        EXPECT_TRUE(fake.log.Matching("File create").empty());
        EXPECT_TRUE(fake.log.Matching("AskYesNo").empty());
    }
};

TEST_F(SaveOnChangeTest, ABurstIsWrittenOnTheSaveThreadOnceASecondAfterItsFirstChange) {
    Start();
    Change();
    Change();
    EXPECT_EQ(fake.log.Matching("StartTimer"), std::vector<std::string>{"StartTimer 2 1000"});
    form->TimerElapsed(SaveTimer);
    EXPECT_EQ(SavesIn(fake.log), 0u) << "nothing is written on this thread";
    FinishSave();
    EXPECT_EQ(SavesIn(fake.log), 1u);
    EXPECT_EQ(Stored(), Tree());
    form->PopupMenuSubExitClick();
    form->FormDestroy();
    EXPECT_EQ(SavesIn(fake.log), 1u) << "Exit has nothing left to write";
}

TEST_F(SaveOnChangeTest, NothingIsWrittenWithoutAChangeNorSaidInAReadOnlyFolder) {
    fake.files.readOnlyDirectory = true;
    Start();
    form->TrayIcon1MouseDown(MouseButton::Left, 10, 10);
    NothingIsWrittenAtAnyMoment();
    EXPECT_EQ(Balloons(), 0u);
}

TEST_F(SaveOnChangeTest, AFailureIsToldOnceWithItsReasonAndTriedAgain) {
    Start();
    fake.files.readOnlyDirectory = true;
    fake.ui.trayVisible = false; // a balloon that cannot show tells nobody: told with the next
    Change();
    SaveRuns();
    fake.ui.trayVisible = true;
    for (int i = 0; i < 2; ++i) {
        Change();
        SaveRuns();
    }
    EXPECT_EQ(fake.log.Matching("File create path=C:\\Tools\\Config2.dat.tmp").size(), 3u);
    EXPECT_EQ(fake.log.Matching("ShowBalloon"),
              std::vector<std::string>(
                  2, "ShowBalloon title=Vantrel text=Your shortcuts could not be saved: Access "
                     "is denied.\nVantrel tries again with your next change and at Exit.\nC:\\"
                     "Tools\\Config2.dat timeout=3000"));
    EXPECT_EQ(fake.files.files[PrimaryPath], stored);
    EXPECT_EQ(fake.files.files[CopyPath], stored);

    fake.files.readOnlyDirectory = false; // Exit tries again, and asks nothing once it works
    form->PopupMenuSubExitClick();
    EXPECT_TRUE(fake.log.Matching("AskYesNo").empty());
    EXPECT_EQ(Stored(), Tree());
}

TEST_F(SaveOnChangeTest, AChangeMadeDuringASaveIsWrittenRightAfterIt) {
    Start();
    Change();
    form->TimerElapsed(SaveTimer);
    Change();
    form->TimerElapsed(SaveTimer);
    FinishSave();
    EXPECT_EQ(fake.log.Matching("Thread start").size(), 2u);
    FinishSave();
    EXPECT_EQ(Stored(), Tree());
}

TEST_F(SaveOnChangeTest, WithoutAThreadTheChangeIsWrittenOnTheSpot) {
    Start();
    fake.saveThread.noThread = true;
    Change();
    form->TimerElapsed(SaveTimer);
    EXPECT_EQ(Stored(), Tree());
}

TEST_F(SaveOnChangeTest, AClosingProgramWaitsForTheSaveAndWritesWhatChangedSince) {
    Start();
    Change();
    form->TimerElapsed(SaveTimer);
    Change();
    const std::string tree = Tree();
    form->FormDestroy();
    EXPECT_LT(fake.log.IndexOf("Thread wait"),
              fake.log.IndexOf("File create path=C:\\Tools\\Config2.dat.tmp"));
    EXPECT_EQ(SavesIn(fake.log), 2u);
    EXPECT_EQ(Stored(), tree);
}

TEST_F(SaveOnChangeTest, ACancelledShutdownLeavesLaterChangesToBeWrittenAtClose) {
    Start();
    Change();
    EXPECT_EQ(form->HandleQueryEndSession(), 1);
    form->HandleEndSession(false);
    EXPECT_EQ(SavesIn(fake.log), 1u);
    Change();
    const std::string tree = Tree();
    form->FormDestroy(); // WM_CLOSE from an installer, after the shutdown was cancelled
    EXPECT_EQ(SavesIn(fake.log), 2u);
    EXPECT_EQ(Stored(), tree);
}

TEST_F(SaveOnChangeTest, FilesKeptAfterALoadThatFailedPartWayAreNeverWritten) {
    struct FilesOutOfMemory : FakeFiles {
        using FakeFiles::FakeFiles;
        int readsLeft = 3; // the head, then Run's records; Applications' fail
        std::optional<std::size_t> Read(FileHandle file, std::uint8_t* buffer,
                                        std::size_t size) override {
            if (readsLeft-- == 0)
                throw std::bad_alloc();
            return FakeFiles::Read(file, buffer, size);
        }
    } files(fake.log);
    Start(files, fake.With().Files(files));
    EXPECT_EQ(Tree(), "Run: G G|kind=3|type=0\n");
    Change();
    Change();
    EXPECT_EQ(fake.log.Matching("ShowBalloon"),
              std::vector<std::string>{
                  "ShowBalloon title=Vantrel text=Your shortcuts could not be read whole. Their "
                  "files are kept as they are, and the changes you make until Vantrel starts "
                  "again are not saved.\nC:\\Tools\\Config.dat timeout=3000"});
    NothingIsWrittenAtAnyMoment();
    EXPECT_TRUE(fake.log.Matching("Thread").empty());
    EXPECT_TRUE(files.files[PrimaryPath] == stored);
}

TEST_F(SaveOnChangeTest, AProgramClosedInsideTheFailureBalloonKeepsItsTree) {
    Start();
    const std::string tree = Tree();
    fake.files.fault = FakeFiles::Fault{"create", 1};
    Change();
    form->TimerElapsed(SaveTimer); // fails
    Change();
    form->TimerElapsed(SaveTimer); // due once that one has ended
    fake.ui.duringBalloon = [&] {  // a WM_CLOSE sent meanwhile, whose save fails too
        fake.files.readOnlyDirectory = true;
        form->FormDestroy();
        fake.files.readOnlyDirectory = false;
    };
    FinishSave();
    fake.saveThread.Wait();
    EXPECT_EQ(Stored(), tree);
}

TEST_F(SaveOnChangeTest, ASaveThatCouldNotBeginHindersNoLaterOne) {
    Start();
    fake.saveThread.startThrows = 1;
    Change();
    form->TimerElapsed(SaveTimer);
    Change();
    SaveRuns();
    EXPECT_EQ(Stored(), Tree());
}

TEST_F(SaveOnChangeTest, TheEndOfASaveComesThroughAFullMessageQueue) {
    Start();
    Change();
    form->TimerElapsed(SaveTimer);
    Change();
    form->TimerElapsed(SaveTimer);
    fake.messages.refusals = 1;
    FinishSave(); // posted again
    FinishSave(); // the change made meanwhile
    EXPECT_EQ(Stored(), Tree());

    // The program ending waits for a save whose end can never be posted.
    Change();
    form->TimerElapsed(SaveTimer);
    fake.messages.refusals = 1 << 30;
    const std::string tree = Tree();
    form->FormDestroy();
    EXPECT_EQ(Stored(), tree);
}

// Files that do not hold the tree loaded are written again unasked: a second after start-up
// when no whole file is left, else with the next save. One that fails says nothing, not even
// at Exit; a change of the user's after it is told as ever.
enum class OnDisk { Whole, Missing, Garbage, CutShort };
using Damage = std::pair<OnDisk, OnDisk>; // of Config.dat and Config2.dat
struct RepairTest : SaveOnChangeTest, ::testing::WithParamInterface<std::tuple<Damage, bool>> {};

TEST_P(RepairTest, FilesNotHoldingTheTreeAreWrittenAgainWithoutAWord) {
    const auto [damage, readOnly] = GetParam();
    fake.files.readOnlyDirectory = readOnly;
    Start(fake.files, fake.platform, [&](FakeFiles& disk) {
        for (auto [path, state] :
             {std::pair(PrimaryPath, damage.first), {CopyPath, damage.second}}) {
            if (state == OnDisk::Missing)
                disk.files.erase(path);
            else if (state != OnDisk::Whole)
                disk.files[path] =
                    state == OnDisk::Garbage ? "\x02garbage" : stored.substr(0, stored.size() - 10);
        }
    });
    const std::string tree = Tree();
    const bool soon = damage.first == OnDisk::CutShort;
    EXPECT_EQ(saveTimerAtStart, soon);
    if (soon) {
        SaveRuns(); // a kill from here on loses nothing
        EXPECT_EQ(Stored() == tree, !readOnly);
    }
    form->PopupMenuSubExitClick();
    EXPECT_EQ(fake.log.Matching("CloseMainForm").size(), 1u);
    EXPECT_EQ(Balloons(), 0u);
    if (readOnly) {
        Change();
        SaveRuns();
        EXPECT_EQ(Balloons(), 1u);
    } else {
        EXPECT_EQ(fake.files.files[PrimaryPath], fake.files.files[CopyPath]);
        EXPECT_EQ(Stored(), tree);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, RepairTest,
    ::testing::Combine(::testing::Values(Damage{OnDisk::Whole, OnDisk::Missing},
                                         Damage{OnDisk::Whole, OnDisk::Garbage},
                                         Damage{OnDisk::Garbage, OnDisk::Whole},
                                         Damage{OnDisk::CutShort, OnDisk::CutShort}),
                       ::testing::Bool()));

} // namespace
} // namespace vantrel
