#include "fakes/FakePlatform.h"
#include "render/IconExtraction.h"
#include "tree/Entries.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using testing::FakeIcons;
using testing::FakePlatform;

TEST(EntryIconTest, TargetsThatMayWaitOnTheNetworkAreRecognised) {
    FakePlatform fake;
    fake.drives.types["H:\\"] = DriveType::Remote;
    fake.drives.types["E:\\"] = DriveType::Removable;
    fake.drives.types["R:\\"] = DriveType::RamDisk;
    const struct {
        const char* path;
        bool mayWait;
    } cases[] = {
        {"\\\\server\\share\\file.txt", true}, {"\\\\?\\UNC\\server\\share", true},
        {"\\\\?\\C:\\Windows", false},         {"\\\\.\\PhysicalDrive0", false},
        {"H:\\Reports", true},                 {"h:\\Reports", true},
        {"E:\\photo.jpg", true},               {"C:\\Windows", false},
        {"R:\\scratch", false},                {"notepad.exe", false},
        {"", false},                           {"1:\\odd", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MayWaitOnTheNetwork(c.path, fake.drives), c.mayWait) << c.path;
}

TEST(EntryIconTest, AShareIsReadInTheBackgroundAndTheIconArrivesLater) {
    FakePlatform fake;
    MenuNode parent;
    ItemFields fields;
    fields.title = "Reports";
    fields.target = "\\\\server\\share\\reports";
    fields.kind = LinkKindFile;
    fields.entryType = EntryTypeFolder;
    MenuNode& item = CreateItemEntry(parent, fields, fake.platform);

    EXPECT_TRUE(fake.log.Matching("SHGetFileInfo").empty()); // nothing asked on this thread
    EXPECT_EQ(item.Tag()->Pixels(), IconPixels{});
    ASSERT_TRUE(fake.drives.Finish(fields.target, FakeIcons::Solid(10, 20, 30)));
    EXPECT_EQ(item.Tag()->Pixels()[0], 10);
    EXPECT_EQ(item.Tag()->Pixels()[3], 255);
    ReleaseEntryRecords(parent);
}

TEST(EntryIconTest, AnAnswerForADeletedEntryOrNoIconChangesNothing) {
    FakePlatform fake;
    fake.drives.types["H:\\"] = DriveType::Remote;
    MenuNode parent;
    ItemFields fields;
    fields.title = "Tool";
    fields.target = "H:\\tools\\tool.exe";
    fields.kind = LinkKindApplication;
    MenuNode& kept = CreateItemEntry(parent, fields, fake.platform);
    CreateItemEntry(parent, fields, fake.platform);
    kept.Tag()->MutablePixels()[0] = 77;

    ReleaseEntryRecords(parent.Child(1).Parent()->Child(1)); // nothing below an item
    parent.Child(1).ReleaseTag();                            // the second entry is deleted
    EXPECT_TRUE(fake.drives.Finish(fields.target, std::nullopt)); // the first: no icon
    EXPECT_TRUE(fake.drives.Finish(fields.target, FakeIcons::Solid(1, 2, 3)));
    EXPECT_EQ(kept.Tag()->Pixels()[0], 77);
    ReleaseEntryRecords(parent);
}

TEST(EntryIconTest, LocalTargetsAreReadAtOnce) {
    FakePlatform fake;
    fake.icons.byPath["C:\\Windows"] = FakeIcons::Solid(5, 6, 7);
    LinkEntry entry;
    EXPECT_TRUE(LoadEntryIcon("%SystemRoot%", &entry, fake.platform));
    EXPECT_EQ(entry.Pixels()[0], 5);
    EXPECT_TRUE(fake.drives.running.empty());
    EXPECT_FALSE(LoadEntryIcon("C:\\missing", nullptr, fake.platform));
}

} // namespace
} // namespace vantrel
