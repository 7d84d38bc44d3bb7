#include "fakes/FakePlatform.h"
#include "tree/Entries.h"
#include "tree/ImageIndex.h"

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

ItemFields Item(std::string title, std::string target, std::uint8_t kind) {
    ItemFields fields;
    fields.title = std::move(title);
    fields.target = std::move(target);
    fields.kind = kind;
    return fields;
}

TEST(EntriesTest, GroupIsAppendedAfterExistingEntriesWithActionsAndSeparator) {
    FakePlatform fake;
    MenuNode category;
    category.Append("Add New Item", ImageAddNewItem, Command::AddNewItem);
    category.Append("-", -1);
    CreateItemEntry(category, Item("first", "cmd", LinkKindRun));
    MenuNode& group = CreateGroupEntry(category, "Tools", LinkKindNetwork, EntryTypeGroup);

    EXPECT_EQ(group.IndexInParent(), 3);
    EXPECT_EQ(group.imageIndex, ImageNetworkGroup);
    ASSERT_NE(group.Tag(), nullptr);
    EXPECT_EQ(group.Tag()->isGroup, 1);
    EXPECT_EQ(group.Tag()->entryType, EntryTypeGroup);
    EXPECT_EQ(Captions(group), (std::vector<std::string>{"Actions", "-"}));
    EXPECT_EQ(Captions(group.Child(0)),
              (std::vector<std::string>{"Add New Item", "Edit Current Item",
                                        "Delete Current Item", "-", "Move Current Item to Up",
                                        "Move Current Item to Down"}));
    EXPECT_EQ(group.Child(0).Child(3).imageIndex, ImagePower);
    EXPECT_EQ(group.Child(1).imageIndex, -1);
}

TEST(EntriesTest, GroupImageFollowsKind) {
    MenuNode parent;
    EXPECT_EQ(CreateGroupEntry(parent, "g", LinkKindRun, 0).imageIndex, 26);
    EXPECT_EQ(CreateGroupEntry(parent, "g", LinkKindApplication, 0).imageIndex, 38);
    EXPECT_EQ(CreateGroupEntry(parent, "g", LinkKindNetwork, 0).imageIndex, 56);
    EXPECT_EQ(CreateGroupEntry(parent, "g", LinkKindInternet, 0).imageIndex, 58);
    EXPECT_EQ(CreateGroupEntry(parent, "g", LinkKindFile, 0).imageIndex, 54);
    ReleaseEntryRecords(parent);
}

TEST(EntriesTest, ItemSubmenusDependOnKind) {
    FakePlatform fake;
    MenuNode parent;
    MenuNode& run = CreateItemEntry(parent, Item("r", "cmd", LinkKindRun));
    MenuNode& web =
        CreateItemEntry(parent, Item("w", "http://www.example.com", LinkKindInternet));
    MenuNode& net = CreateItemEntry(parent, Item("n", "\\\\host\\share", LinkKindNetwork));

    EXPECT_EQ(Captions(run), (std::vector<std::string>{"Actions", "-", "Open Link", "Copy Link"}));
    EXPECT_EQ(Captions(run.Child(0)),
              (std::vector<std::string>{"Edit Current Item", "Delete Current Item", "-",
                                        "Move Current Item to Up", "Move Current Item to Down"}));
    EXPECT_EQ(Captions(web), (std::vector<std::string>{
                                 "Actions", "-", "Open Link", "Copy Link", "-",
                                 "Open With Internet Explorer", "Open With Mozilla Firefox",
                                 "Open With Google Chrome", "Open With Opera"}));
    EXPECT_EQ(web.Child(5).command, Command::OpenWithIE);
    EXPECT_EQ(web.Child(8).imageIndex, ImageOpera);
    EXPECT_EQ(run.imageIndex, ImageRunItem);
    EXPECT_EQ(web.imageIndex, ImageInternetLinks);
    EXPECT_EQ(net.imageIndex, ImageNetworkItem);
    EXPECT_EQ(run.command, Command::None); // an item opens only through "Open Link"
    ReleaseEntryRecords(parent);
}

TEST(EntriesTest, ApplicationsAndFilesStartWithThePictureOfTheirKindAndAskNothing) {
    FakePlatform fake;
    MenuNode parent;
    ItemFields folder = Item("Docs", "C:\\Docs", LinkKindFile);
    folder.entryType = EntryTypeFolder;
    const std::pair<ItemFields, int> cases[] = {
        {Item("Calculator", "calc.exe", LinkKindApplication), ImageApplications},
        {Item("Report", "C:\\report.doc", LinkKindFile), ImageDocument},
        {folder, ImageFolder},
    };
    for (const auto& [fields, image] : cases) {
        const MenuNode& item = CreateItemEntry(parent, fields);
        EXPECT_EQ(item.imageIndex, image) << fields.title;
        EXPECT_FALSE(item.Tag()->HasPicture()) << fields.title;
    }
    EXPECT_TRUE(fake.log.calls.empty()); // the pictures are read later, elsewhere
    ReleaseEntryRecords(parent);
}

TEST(EntriesTest, ReleaseClearsEveryRecordAtAnyDepthAndKeepsNodes) {
    FakePlatform fake;
    const long recordsBefore = LinkEntry::LiveCount();
    MenuNode category;
    MenuNode& outer = CreateGroupEntry(category, "outer", LinkKindFile, 0);
    MenuNode& inner = CreateGroupEntry(outer, "inner", LinkKindFile, 0);
    ItemFields file = Item("f", "C:\\x.txt", LinkKindFile);
    CreateItemEntry(inner, file);
    EXPECT_EQ(LinkEntry::LiveCount(), recordsBefore + 3);

    ReleaseEntryRecords(category);
    EXPECT_EQ(LinkEntry::LiveCount(), recordsBefore);
    EXPECT_EQ(category.Count(), 1u);
    EXPECT_EQ(outer.Count(), 3u);
    EXPECT_EQ(inner.Count(), 3u);
}

TEST(EntriesTest, ReleaseLeavesTheGivenNodesOwnRecord) {
    MenuNode category;
    MenuNode& group = CreateGroupEntry(category, "g", LinkKindRun, 0);
    ReleaseEntryRecords(group);
    EXPECT_NE(group.Tag(), nullptr);
    ReleaseEntryRecords(category);
    EXPECT_EQ(group.Tag(), nullptr);
}

} // namespace
} // namespace vantrel
