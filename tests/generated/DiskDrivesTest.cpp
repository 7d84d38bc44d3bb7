// The Disk Drives menu, rebuilt against a fake machine whose drives come and go.
#include "generated/DiskDrives.h"
#include "app/MainForm.h"
#include "fakes/FakePlatform.h"
#include "tree/ImageIndex.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using testing::FakeDrives;
using testing::FakeIcons;
using testing::FakePlatform;

struct Drives {
    FakePlatform fake;
    MenuNode disks;
    DriveIconRequests requests;

    void Rebuild() { BuildDiskDrivesMenu(disks, fake.platform, requests); }
    std::vector<std::string> Rows() const {
        std::vector<std::string> rows;
        for (std::size_t i = 0; i < disks.Count(); ++i)
            rows.push_back(disks.Child(i).caption);
        return rows;
    }
    const LinkEntry& Entry(std::size_t row) const { return *disks.Child(row).Tag(); }
};

bool HasPicture(const LinkEntry& entry) {
    return entry.HasPicture() && entry.Pixels()[3] != 0;
}

TEST(DiskDrivesTest, OneRowPerDriveInLetterOrder) {
    Drives drives;
    drives.fake.drives.mask = FakeDrives::Letters("DC");
    drives.fake.icons.byPath["C:\\"] = FakeIcons::Solid(9, 9, 9);
    drives.Rebuild();
    ASSERT_EQ(drives.Rows(), (std::vector<std::string>{"C:", "D:"}));
    for (std::size_t i = 0; i < 2; ++i) {
        const MenuNode& row = drives.disks.Child(i);
        EXPECT_EQ(row.imageIndex, ImageDiskDrives); // until the drive's own picture is there
        EXPECT_EQ(row.command, Command::SystemLink);
        EXPECT_EQ(row.Tag()->title, row.caption);
        EXPECT_EQ(row.Tag()->target, row.caption + "\\");
        EXPECT_EQ(row.Tag()->kind, LinkKindDrive);
        EXPECT_EQ(row.Tag()->entryType, 1);
    }
    EXPECT_TRUE(HasPicture(drives.Entry(0)));
    EXPECT_FALSE(HasPicture(drives.Entry(1))); // no icon, still listed
}

TEST(DiskDrivesTest, DrivesAppearAndDisappearBetweenOpenings) {
    Drives drives;
    const std::pair<std::uint32_t, std::vector<std::string>> openings[] = {
        {FakeDrives::Letters("CDE"), {"C:", "D:", "E:"}},
        {FakeDrives::Letters("CH"), {"C:", "H:"}},
        {0, {}}, // GetLogicalDrives failed
        {0xFFFFFFFFu, {}},
    };
    for (const auto& [mask, rows] : openings) {
        drives.fake.drives.mask = mask;
        drives.Rebuild();
        if (mask == 0xFFFFFFFFu)
            EXPECT_EQ(drives.disks.Count(), 26u) << "no letter past Z:";
        else
            EXPECT_EQ(drives.Rows(), rows);
    }
    EXPECT_EQ(drives.disks.Child(25).caption, "Z:");
}

struct TypeCase {
    DriveType type;
    bool atOnce;
};

TEST(DiskDrivesTest, OnlyFixedAndRamDrivesAreAskedOnTheMenuThread) {
    const TypeCase cases[] = {{DriveType::Fixed, true},     {DriveType::RamDisk, true},
                              {DriveType::Remote, false},   {DriveType::Removable, false},
                              {DriveType::CdRom, false},    {DriveType::Unknown, false},
                              {DriveType::NoRootDir, false}};
    for (const TypeCase& c : cases) {
        Drives drives;
        drives.fake.drives.mask = FakeDrives::Letters("H");
        drives.fake.drives.types["H:\\"] = c.type;
        drives.Rebuild();
        const bool askedHere = drives.fake.log.Contains("SHGetFileInfo path=H:\\");
        EXPECT_EQ(askedHere, c.atOnce) << static_cast<int>(c.type);
        EXPECT_EQ(drives.fake.drives.running.size(), c.atOnce ? 0u : 1u);
        EXPECT_EQ(drives.disks.Count(), 1u);
    }
}

TEST(DiskDrivesTest, ASlowDrivesIconFollowsToTheRowShownWhenItArrives) {
    Drives drives;
    drives.fake.drives.mask = FakeDrives::Letters("CH");
    drives.fake.drives.types["H:\\"] = DriveType::Remote;
    drives.Rebuild();
    EXPECT_FALSE(HasPicture(drives.Entry(1)));
    drives.Rebuild(); // the share still has not answered: no second lookup
    drives.Rebuild();
    EXPECT_EQ(drives.fake.log.Matching("BackgroundIcon").size(), 1u);
    EXPECT_EQ(drives.requests.Pending(), 1u);

    ASSERT_TRUE(drives.fake.drives.Finish("H:\\", FakeIcons::Solid(1, 2, 3)));
    EXPECT_TRUE(HasPicture(drives.Entry(1)));
    EXPECT_EQ(drives.requests.Pending(), 0u);

    drives.Rebuild(); // every opening asks again once the last lookup ended
    EXPECT_EQ(drives.fake.log.Matching("BackgroundIcon").size(), 2u);
    ASSERT_TRUE(drives.fake.drives.Finish("H:\\", std::nullopt));
    EXPECT_FALSE(HasPicture(drives.Entry(1)));
}

TEST(DiskDrivesTest, AnswersForDrivesThatAreGoneAreDropped) {
    Drives drives;
    drives.fake.drives.mask = FakeDrives::Letters("H");
    drives.fake.drives.types["H:\\"] = DriveType::Remote;
    drives.Rebuild();
    drives.fake.drives.mask = FakeDrives::Letters("C");
    drives.Rebuild();
    ASSERT_TRUE(drives.fake.drives.Finish("H:\\", FakeIcons::Solid(1, 2, 3)));
    EXPECT_FALSE(HasPicture(drives.Entry(0)));

    // A lookup the platform could not start is tried again at the next opening.
    drives.fake.drives.refuseBackground = true;
    drives.fake.drives.mask = FakeDrives::Letters("H");
    drives.Rebuild();
    drives.Rebuild();
    EXPECT_EQ(drives.fake.log.Matching("BackgroundIcon").size(), 3u);
    EXPECT_EQ(drives.requests.Pending(), 0u);
}

TEST(DiskDrivesTest, AThousandOpeningsLeakNoRecordAndStartNoLookupPile) {
    FakePlatform fake;
    fake.drives.mask = FakeDrives::Letters("ACDEFGHZ");
    fake.drives.types["H:\\"] = DriveType::Remote; // never answers
    const long records = LinkEntry::LiveCount();
    const long nodes = MenuNode::LiveCount();
    {
        MainForm form(fake.platform);
        form.FormCreate();
        const long started = LinkEntry::LiveCount();
        for (int i = 0; i < 1000; ++i) {
            fake.drives.mask ^= (i % 2) ? FakeDrives::Letters("Q") : 0; // a drive comes and goes
            form.TrayIcon1MouseDown(MouseButton::Left, 0, 0);
        }
        EXPECT_EQ(LinkEntry::LiveCount() - started, 8); // the rows shown, Q: gone again
        EXPECT_EQ(form.PopupMenuDisks().Count(), 8u);
        EXPECT_EQ(fake.drives.running.size(), 1u);
        // Opening the menu looks up no System Links place again.
        EXPECT_EQ(fake.log.Matching("GetSystemDirectory").size(), 1u);
        form.FormDestroy();
        EXPECT_EQ(LinkEntry::LiveCount(), records);
    }
    EXPECT_EQ(MenuNode::LiveCount(), nodes);
    // The share answers after the program's form is gone: nothing is touched.
    EXPECT_TRUE(fake.drives.Finish("H:\\", FakeIcons::Solid(1, 2, 3)));
}

TEST(DiskDrivesTest, ClickingADriveOpensItsRoot) {
    FakePlatform fake;
    fake.drives.mask = FakeDrives::Letters("E");
    MainForm form(fake.platform);
    form.TrayIcon1MouseDown(MouseButton::Left, 0, 0);
    fake.log.calls.clear();
    form.MenuItemClick(form.PopupMenuDisks().Child(0));
    EXPECT_EQ(fake.log.calls, (std::vector<std::string>{
                                  "ShellExecuteW verb=open file=E:\\ params= dir=<null> show=1"}));
}

} // namespace
} // namespace vantrel
