// Reading the rows' own pictures: from where, in which order, that an answer only ever lands
// in the row it was read for, at the side it was read at, and that weeks of openings with a
// read stuck in the shell queue nothing twice.
#include "render/RowPictures.h"

#include "fakes/FakePlatform.h"
#include "render/IconExtraction.h"
#include "tree/Entries.h"
#include "tree/ImageIndex.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using testing::FakeIcons;
using testing::FakePictures;
using testing::FakePlatform;

struct RowPicturesTest : ::testing::Test {
    FakePlatform fake;
    MenuNode applications, files;
    RowPictures pictures{fake.pictures, fake.drives,
                         [this](const LinkEntry& entry) {
                             return EntryPictureSource(entry, fake.process);
                         }};

    MenuNode& Add(MenuNode& parent, const std::string& target,
                  std::uint8_t kind = LinkKindApplication) {
        return CreateItemEntry(parent, ItemFields{target, target, "", "", 0, kind, 1});
    }
    MenuNode& Group(MenuNode& parent, const std::string& title) {
        return CreateGroupEntry(parent, title, LinkKindApplication, EntryTypeGroup);
    }
    void Has(const std::string& path, std::uint8_t shade) {
        fake.icons.byPath[path] = FakeIcons::Solid(shade, shade, shade);
    }
    std::vector<std::string> Reads() const { return fake.log.Matching("ReadPicture"); }
    void ReadAll() {
        while (fake.pictures.ReadNext())
            pictures.Collect();
    }
};

TEST_F(RowPicturesTest, SourcesOfApplicationsAndFiles) {
    const struct {
        std::uint8_t kind;
        const char* target;
        const char* windows;
        const char* read; // "" when nothing is read
    } cases[] = {
        {LinkKindApplication, "notepad.exe", "C:\\Windows",
         "ReadPicture C:\\Windows\\notepad.exe|C:\\Windows\\system32\\notepad.exe system32"},
        {LinkKindApplication, "%SystemRoot%\\regedit.exe", "C:\\Windows",
         "ReadPicture C:\\Windows\\regedit.exe system32"},
        {LinkKindApplication, "D:\\Tools\\tool.exe", "C:\\Windows",
         "ReadPicture D:\\Tools\\tool.exe system32"},
        {LinkKindFile, "%SystemRoot%", "E:\\WinNT", "ReadPicture E:\\WinNT system32"},
        {LinkKindFile, "notes.txt", "C:\\Windows", "ReadPicture notes.txt system32"},
        {LinkKindApplication, "", "C:\\Windows", ""},
        // A bare name without a usable Windows directory has nowhere to be looked for.
        {LinkKindApplication, "calc.exe", "", ""},
        {LinkKindApplication, "calc.exe", "C:\\www", ""},
    };
    for (const auto& c : cases) {
        fake.process.windowsDirectory =
            c.windows == std::string("C:\\www") ? "C:\\" + std::string(280, 'w') : c.windows;
        LinkEntry entry;
        entry.kind = c.kind;
        entry.target = c.target;
        const auto source = EntryPictureSource(entry, fake.process);
        EXPECT_EQ(source ? FakePictures::Describe(*source, false) : "", c.read) << c.target;
    }
}

TEST_F(RowPicturesTest, TopLevelRowsOfEveryMenuComeFirstOneReadAtATime) {
    Has("C:\\a1.exe", 10);
    Add(applications, "C:\\a1.exe");
    MenuNode& group = Group(applications, "G");
    Add(group, "C:\\a2.exe");
    Add(Group(group, "Inner"), "C:\\a3.exe");
    Add(applications, "cmd /K dir", LinkKindRun); // shows a fixed picture: never read
    Add(files, "C:\\f1.txt", LinkKindFile);

    pictures.QueueAll({&applications, &files});
    EXPECT_EQ(fake.pictures.pending.size(), 1u);
    EXPECT_FALSE(fake.pictures.pending.front().urgent);
    ReadAll();
    EXPECT_EQ(Reads(), (std::vector<std::string>{"ReadPicture C:\\a1.exe system32",
                                                 "ReadPicture C:\\f1.txt system32",
                                                 "ReadPicture C:\\a2.exe system32",
                                                 "ReadPicture C:\\a3.exe system32"}));
    const LinkEntry& a1 = *applications.Child(0).Tag();
    EXPECT_EQ(a1.Pixels()[0], 10);
    EXPECT_EQ(a1.pictureState, LinkEntry::PictureState::Read);
    EXPECT_FALSE(group.Child(2).Tag()->HasPicture()); // none to be had: its kind's stays
}

TEST_F(RowPicturesTest, AMenuAboutToOpenJumpsTheQueueAndNothingIsReadTwice) {
    for (const char* target : {"C:\\x1.exe", "C:\\x2.exe", "C:\\x3.exe"})
        Add(applications, target);
    MenuNode& group = Group(applications, "G");
    Add(group, "C:\\y1.exe");
    Add(group, "C:\\y2.exe");

    pictures.QueueAll({&applications});
    pictures.Hurry(group); // x1 is out already, not begun: y1 and y2 are read before it
    ReadAll();
    pictures.Hurry(applications);
    pictures.Hurry(group);
    EXPECT_EQ(fake.log.Matching("SHGetFileInfo"),
              (std::vector<std::string>{
                  "SHGetFileInfo path=C:\\y1.exe", "SHGetFileInfo path=C:\\y2.exe",
                  "SHGetFileInfo path=C:\\x1.exe", "SHGetFileInfo path=C:\\x2.exe",
                  "SHGetFileInfo path=C:\\x3.exe"}));
    EXPECT_EQ(Reads().size(), 5u);
    EXPECT_EQ(pictures.Queued(), 0u);
}

// Find shows rows of many menus: those in view are read next, in the order they show.
TEST_F(RowPicturesTest, RowsInFindJumpTheQueue) {
    std::vector<const MenuNode*> rows;
    for (const char* target : {"C:\\x1.exe", "C:\\x2.exe", "C:\\x3.exe", "C:\\x4.exe"})
        rows.push_back(&Add(applications, target));
    pictures.QueueAll({&applications}); // x1 is out already, not begun
    pictures.HurryRows({rows[3], rows[2]});
    ReadAll();
    pictures.HurryRows({rows[3]});
    EXPECT_EQ(fake.log.Matching("SHGetFileInfo"),
              (std::vector<std::string>{
                  "SHGetFileInfo path=C:\\x4.exe", "SHGetFileInfo path=C:\\x3.exe",
                  "SHGetFileInfo path=C:\\x1.exe", "SHGetFileInfo path=C:\\x2.exe"}));
    EXPECT_EQ(pictures.Queued(), 0u);
}

TEST_F(RowPicturesTest, PicturesAreReadAtTheSideOfTheMenusScalingAndAgainWhenItChanges) {
    Has("C:\\a1.exe", 10); // the fake has only a 16-pixel icon: it is fitted to the side
    const MenuNode& row = Add(applications, "C:\\a1.exe");
    EXPECT_FALSE(pictures.SetSide(IconSide));
    pictures.QueueAll({&applications});
    ReadAll();
    ASSERT_EQ(row.Tag()->Pixels().Side(), IconSide);

    ASSERT_TRUE(pictures.SetSide(24));                             // the menus open at 150%
    EXPECT_EQ(PictureOfRow(row, 24).pixels, &row.Tag()->Pixels()); // the smaller one, centred
    pictures.QueueAll({&applications});
    ReadAll();
    EXPECT_EQ(Reads().back(), "ReadPicture C:\\a1.exe system32 side=24");
    const IconPixels& read = row.Tag()->Pixels();
    ASSERT_EQ(read.Side(), 24);
    EXPECT_EQ(read, FittedPicture(*ConvertIcon(FakeIcons::Solid(10, 10, 10)), 24));
    EXPECT_EQ(read[(12 * 24 + 12) * 4], 10);
    EXPECT_EQ(read[(12 * 24 + 12) * 4 + 3], 255);
    // Too large for a menu at 100%: the kind's picture shows until it is read again.
    EXPECT_EQ(PictureOfRow(row, IconSide).pixels, nullptr);
    EXPECT_EQ(PictureOfRow(row, IconSide).imageIndex, row.imageIndex);

    EXPECT_FALSE(pictures.SetSide(24));
    pictures.Hurry(applications);
    EXPECT_EQ(Reads().size(), 2u); // read once at each side

    fake.icons.byPath.clear(); // the target gives no picture any more
    ASSERT_TRUE(pictures.SetSide(32));
    pictures.Hurry(applications);
    ReadAll();
    pictures.Hurry(applications);
    ReadAll();
    EXPECT_EQ(Reads().size(), 3u); // asked once, not at every opening
    EXPECT_FALSE(row.Tag()->HasPicture());
}

TEST_F(RowPicturesTest, AnAnswerIsFittedToTheSideItWasAskedAtAndTheRowReadAgainAtTheNew) {
    fake.drives.types["H:\\"] = DriveType::Remote;
    Has("C:\\a.exe", 10);
    const MenuNode& remote = Add(applications, "H:\\b.exe");
    const MenuNode& local = Add(applications, "C:\\a.exe");
    Add(applications, "C:\\none.exe"); // gives no picture: never asked again
    pictures.QueueAll({&applications});
    ASSERT_TRUE(fake.pictures.ReadNext()); // read at 16, its answer on its way

    ASSERT_TRUE(pictures.SetSide(32));  // meanwhile the menus open at 200%
    pictures.QueueAll({&applications}); // both are being read: nothing queued twice
    EXPECT_EQ(pictures.Queued(), 1u);   // none.exe
    pictures.Collect();
    EXPECT_EQ(local.Tag()->Pixels().Side(), IconSide);
    ReadAll();
    EXPECT_EQ(Reads().back(), "ReadPicture C:\\a.exe system32 side=32");
    EXPECT_EQ(local.Tag()->Pixels().Side(), 32);
    for (int side : {IconSide, 32}) {
        ASSERT_TRUE(fake.drives.Finish("H:\\b.exe", FakeIcons::Solid(2, 2, 2)));
        EXPECT_EQ(remote.Tag()->Pixels().Side(), side);
    }
    EXPECT_EQ(Reads().size(), 3u); // a.exe twice, none.exe once
    EXPECT_TRUE(fake.drives.running.empty());
}

TEST_F(RowPicturesTest, WithAReadStuckEveryOpeningAndScalingQueuesEachRowOnceAtMost) {
    MenuNode& menu = Group(applications, "Twenty");
    for (int i = 0; i < 20; ++i)
        Add(menu, "C:\\" + std::to_string(i) + ".exe");
    pictures.QueueAll({&applications});
    for (int opening = 0; opening < 1000; ++opening) {
        pictures.Hurry(menu); // both reads stay inside the shell
        if (pictures.SetSide(opening % 2 ? 24 : 16))
            pictures.QueueAll({&applications});
    }
    EXPECT_EQ(pictures.Queued(), 18u);
    EXPECT_EQ(Reads().size(), 2u);
    ReadAll();
    EXPECT_EQ(Reads().size(), 20u);
}

TEST_F(RowPicturesTest, PicturesKeepArrivingWhenNoMessageAnnouncesThem) {
    for (int i = 0; i < 5; ++i) {
        Has("C:\\" + std::to_string(i) + ".exe", 1);
        Add(applications, "C:\\" + std::to_string(i) + ".exe");
    }
    pictures.QueueAll({&applications});
    // The window's queue is full: only the openings of the menu take the answers.
    for (std::size_t i = 0; i < 5; ++i) {
        ASSERT_TRUE(fake.pictures.ReadNext());
        EXPECT_EQ(pictures.Hurry(applications),
                  (std::vector<const MenuNode*>{&applications.Child(i)}));
    }
}

TEST_F(RowPicturesTest, AnAnswerNeverLandsInARowDeletedOrEditedMeanwhile) {
    Has("C:\\old.exe", 1);
    Has("C:\\new.exe", 2);
    Has("C:\\gone.exe", 3);
    MenuNode& edited = Add(applications, "C:\\old.exe");
    MenuNode& deleted = Add(applications, "C:\\gone.exe");
    pictures.QueueAll({&applications});

    // The old target's picture is on its way when the user edits the row; the next row is
    // deleted before its turn.
    ASSERT_TRUE(fake.pictures.ReadNext());
    edited.Tag()->target = "C:\\new.exe";
    pictures.Refresh(edited);
    applications.Remove(deleted);
    EXPECT_TRUE(pictures.Collect().empty());
    EXPECT_FALSE(edited.Tag()->HasPicture());
    ReadAll();
    EXPECT_EQ(edited.Tag()->Pixels()[0], 2);
    EXPECT_EQ(Reads(), (std::vector<std::string>{"ReadPicture C:\\old.exe system32",
                                                 "ReadPicture C:\\new.exe system32 urgent"}));

    // An edit forgets the picture at once: the row shows its kind until the new one arrives.
    pictures.Refresh(edited);
    EXPECT_EQ(PictureOfRow(edited).imageIndex, ImageApplications);
    EXPECT_EQ(PictureOfRow(edited).pixels, nullptr);
    ASSERT_TRUE(fake.pictures.ReadNext());
    EXPECT_EQ(pictures.Collect(), (std::vector<const MenuNode*>{&edited}));
    EXPECT_EQ(PictureOfRow(edited).imageIndex, ImageNone);
    EXPECT_EQ(PictureOfRow(edited).pixels, &edited.Tag()->Pixels());
}

TEST_F(RowPicturesTest, IdenticalPicturesAreKeptOnce) {
    Has("C:\\a.doc", 7);
    Has("C:\\b.doc", 7);
    Has("C:\\c.xls", 8);
    for (const char* target : {"C:\\a.doc", "C:\\b.doc", "C:\\c.xls", "C:\\a.doc"})
        Add(files, target, LinkKindFile);
    pictures.QueueAll({&files});
    ReadAll();
    EXPECT_EQ(&files.Child(0).Tag()->Pixels(), &files.Child(1).Tag()->Pixels());
    EXPECT_EQ(&files.Child(0).Tag()->Pixels(), &files.Child(3).Tag()->Pixels());
    EXPECT_EQ(pictures.Store().Count(), 2u);
    files.Clear();
    EXPECT_EQ(pictures.Store().Count(), 0u); // a picture goes with its last row
}

TEST_F(RowPicturesTest, TargetsThatMayWaitOnTheNetworkAreReadAFewAtATimeElsewhere) {
    fake.drives.types["H:\\"] = DriveType::Remote;
    for (int i = 0; i < 6; ++i)
        Add(files, "H:\\share\\" + std::to_string(i) + ".doc", LinkKindFile);
    Add(files, "C:\\local.doc", LinkKindFile);
    pictures.QueueAll({&files});
    // Four lookups wait on the server; the local file goes to the reading thread meanwhile.
    EXPECT_EQ(fake.drives.running.size(), SlowReadLimit);
    EXPECT_EQ(Reads(), (std::vector<std::string>{"ReadPicture C:\\local.doc system32"}));

    files.Remove(files.Child(5)); // deleted while waiting for its turn
    ASSERT_TRUE(fake.drives.Finish("H:\\share\\0.doc", FakeIcons::Solid(4, 4, 4)));
    EXPECT_EQ(files.Child(0).Tag()->Pixels()[0], 4);
    EXPECT_EQ(fake.drives.running.back().path, "H:\\share\\4.doc");
    files.Remove(files.Child(1)); // deleted while its lookup runs
    EXPECT_TRUE(fake.drives.Finish("H:\\share\\1.doc", FakeIcons::Solid(5, 5, 5)));
    EXPECT_EQ(fake.drives.running.size(), 3u); // 2, 3 and 4; 5 is gone
    EXPECT_TRUE(fake.drives.Finish("H:\\share\\2.doc", std::nullopt));
    EXPECT_EQ(files.Child(1).Tag()->pictureState, LinkEntry::PictureState::Read);
}

TEST_F(RowPicturesTest, AfterStopNothingIsReadOrStored) {
    fake.drives.types["H:\\"] = DriveType::Remote;
    Has("C:\\a.exe", 1);
    MenuNode& remote = Add(applications, "H:\\b.exe");
    MenuNode& local = Add(applications, "C:\\a.exe");
    Add(applications, "C:\\c.exe");
    pictures.QueueAll({&applications});
    pictures.Stop();
    EXPECT_TRUE(fake.log.Contains("StopPictures"));
    fake.pictures.stopped = false;
    fake.pictures.pending.push_back({1, {}, false}); // an answer on its way
    fake.pictures.ReadNext();
    pictures.Collect();
    pictures.Hurry(applications);
    EXPECT_TRUE(fake.drives.Finish("H:\\b.exe", FakeIcons::Solid(2, 2, 2)));
    EXPECT_FALSE(local.Tag()->HasPicture());
    EXPECT_FALSE(remote.Tag()->HasPicture());
    EXPECT_EQ(Reads().size(), 1u); // the first, before Stop
    EXPECT_EQ(pictures.Queued(), 0u);
}

TEST_F(RowPicturesTest, WithoutAReadingThreadEveryRowKeepsThePictureOfItsKind) {
    fake.pictures.refuse = true;
    MenuNode& row = Add(applications, "C:\\a.exe");
    Add(applications, "C:\\b.exe");
    pictures.QueueAll({&applications});
    pictures.Hurry(applications);
    pictures.Refresh(row);
    EXPECT_EQ(Reads().size(), 1u); // tried once, then no more
    EXPECT_EQ(pictures.Queued(), 0u);
    EXPECT_EQ(PictureOfRow(row).imageIndex, ImageApplications);
}

TEST_F(RowPicturesTest, AnswersOfSlowReadsAfterTheRowsAreGoneFindNobody) {
    fake.drives.types["H:\\"] = DriveType::Remote;
    auto owned =
        std::make_unique<RowPictures>(fake.pictures, fake.drives, [this](const LinkEntry& entry) {
            return EntryPictureSource(entry, fake.process);
        });
    Add(files, "H:\\a.doc", LinkKindFile);
    owned->QueueAll({&files});
    owned.reset();
    files.Clear();
    EXPECT_TRUE(fake.drives.Finish("H:\\a.doc", FakeIcons::Solid(1, 1, 1)));
}

TEST(MayWaitOnTheNetworkTest, TargetsOnSharesAndSlowMediaAreRecognised) {
    FakePlatform fake;
    fake.drives.types["H:\\"] = DriveType::Remote;
    fake.drives.types["E:\\"] = DriveType::Removable;
    fake.drives.types["R:\\"] = DriveType::RamDisk;
    const struct {
        const char* path;
        bool mayWait;
    } cases[] = {
        {"\\\\server\\share\\file.txt", true},
        {"\\\\?\\UNC\\server\\share", true},
        {"\\\\?\\C:\\Windows", false},
        {"\\\\.\\PhysicalDrive0", false},
        {"H:\\Reports", true},
        {"h:\\Reports", true},
        {"E:\\photo.jpg", true},
        {"C:\\Windows", false},
        {"R:\\scratch", false},
        {"notepad.exe", false},
        {"", false},
        {"1:\\odd", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MayWaitOnTheNetwork(c.path, fake.drives), c.mayWait) << c.path;
}

} // namespace
} // namespace vantrel
