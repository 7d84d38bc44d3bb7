// A save must never leave the stored tree damaged: whichever single file step fails, or
// wherever the process dies or the power goes, the next start loads either the tree that was
// stored before or the one being saved, never a mixture and never the example content.

#include "platform/DurableFile.h"
#include "tree/ConfigTestSupport.h"
#include "tree/Configuration.h"
#include "tree/Entries.h"

#include <gtest/gtest.h>

#include <map>
#include <new>

namespace vantrel {
namespace {

using namespace testing;

using FileSystem = std::map<std::string, std::string>;

void BuildOldTree(const Categories& c) {
    MenuNode& group = CreateGroupEntry(*c.run, "Old", LinkKindRun, 0);
    ItemFields item;
    item.title = "old item";
    item.target = "cmd /K old";
    CreateItemEntry(group, item);
}

void BuildNewTree(const Categories& c) {
    MenuNode& group = CreateGroupEntry(*c.run, "New", LinkKindRun, 0);
    for (const char* title : {"one", "two"}) {
        ItemFields item;
        item.title = title;
        item.target = std::string("cmd /K ") + title;
        CreateItemEntry(group, item);
    }
    ItemFields web;
    web.title = "site";
    web.target = "http://www.site.test";
    web.kind = LinkKindInternet;
    CreateItemEntry(*c.internet, web);
    CreateGroupEntry(*c.files, "Docs", LinkKindFile, 0);
}

std::string TreeOf(void (*build)(const Categories&)) {
    Menus menus;
    build(menus.categories());
    return Describe(menus.categories());
}

// What the disk holds before the save that is interrupted.
enum class Before { BothWhole, OnlyCopy, PrimaryAndTornCopy, Nothing };

FileSystem StoredBefore(Before before) {
    FakePlatform fake;
    Menus menus;
    BuildOldTree(menus.categories());
    if (before != Before::Nothing && !SaveConfiguration(menus.categories(), fake.platform))
        ADD_FAILURE() << "the old tree could not be saved";
    FileSystem files = fake.files.files;
    if (before == Before::OnlyCopy)
        files.erase(PrimaryPath);
    if (before == Before::PrimaryAndTornCopy)
        files[CopyPath].resize(files[CopyPath].size() / 2);
    return files;
}

struct Outcome {
    bool saved = false;
    std::string loaded;
    bool valid = false;
    FileSystem files;
};

// Saves the new tree over `before` with the fault set up by `arrange`, lets the process end
// (and the power go when asked), then loads as the next start does.
template <typename Arrange>
Outcome SaveInterrupted(const FileSystem& before, Arrange arrange, bool powerCut) {
    FakePlatform fake;
    fake.files.files = before;
    Outcome outcome;
    {
        Menus menus;
        BuildNewTree(menus.categories());
        arrange(fake.files);
        outcome.saved = SaveConfiguration(menus.categories(), fake.platform);
    }
    if (powerCut)
        fake.files.PowerCut();
    else
        fake.files.Restart();
    Menus next;
    outcome.valid = LoadConfiguration(next.categories(), fake.platform).valid;
    outcome.loaded = Describe(next.categories());
    outcome.files = fake.files.files;
    return outcome;
}

// How many times each operation runs in an undisturbed save.
std::map<std::string, int> OperationsOfASave(const FileSystem& before, int& steps) {
    FakePlatform fake;
    fake.files.files = before;
    Menus menus;
    BuildNewTree(menus.categories());
    SaveConfiguration(menus.categories(), fake.platform);
    steps = fake.files.Steps();
    std::map<std::string, int> counts;
    for (const char* operation :
         {"create", "write", "flush", "truncate", "close", "rename-replacing", "remove"})
        counts[operation] = fake.files.CountOf(operation);
    return counts;
}

class ConfigurationFaultTest : public ::testing::TestWithParam<Before> {
  protected:
    void Check(const Outcome& outcome, const std::string& what) {
        const std::string& oldTree = GetParam() == Before::Nothing ? empty_ : old_;
        EXPECT_TRUE(outcome.loaded == oldTree || outcome.loaded == new_) << what << "\nloaded:\n"
                                                                         << outcome.loaded;
        if (outcome.saved) {
            EXPECT_EQ(outcome.loaded, new_) << what;
            EXPECT_EQ(outcome.files.at(PrimaryPath), outcome.files.at(CopyPath)) << what;
        }
        if (GetParam() != Before::Nothing) {
            EXPECT_TRUE(outcome.valid) << what << ": the example content would replace the tree";
        }
        for (const auto& [path, content] : outcome.files)
            EXPECT_EQ(path.find(".damaged"), std::string::npos) << what << ": " << path;
    }

    const std::string old_ = TreeOf(BuildOldTree);
    const std::string new_ = TreeOf(BuildNewTree);
    const std::string empty_;
};

TEST_P(ConfigurationFaultTest, EveryFailingStep) {
    const FileSystem before = StoredBefore(GetParam());
    int steps = 0;
    const auto counts = OperationsOfASave(before, steps);
    EXPECT_EQ(counts.at("rename-replacing"), 2);
    EXPECT_GE(counts.at("write"), 10);
    for (const auto& [operation, count] : counts) {
        for (int occurrence = 1; occurrence <= count; ++occurrence) {
            const std::string what = operation + " #" + std::to_string(occurrence) + " fails";
            const Outcome outcome = SaveInterrupted(
                before,
                [&, op = operation](FakeFiles& files) {
                    files.fault = FakeFiles::Fault{op, occurrence};
                },
                false);
            EXPECT_FALSE(outcome.saved) << what;
            Check(outcome, what);
            for (const auto& [path, content] : outcome.files)
                EXPECT_EQ(path.find(".tmp"), std::string::npos) << what << ": " << path;
        }
    }
}

TEST_P(ConfigurationFaultTest, DyingAtEveryStepWithOrWithoutPower) {
    const FileSystem before = StoredBefore(GetParam());
    int steps = 0;
    OperationsOfASave(before, steps);
    ASSERT_GT(steps, 10);
    for (int step = 1; step <= steps + 1; ++step) {
        for (bool powerCut : {false, true}) {
            const std::string what =
                "died at step " + std::to_string(step) + (powerCut ? " and the power went" : "");
            const Outcome outcome = SaveInterrupted(
                before, [&](FakeFiles& files) { files.dieAtStep = step; }, powerCut);
            Check(outcome, what);
        }
    }
}

TEST_P(ConfigurationFaultTest, AFailedSaveDoesNotHinderTheNextOne) {
    const FileSystem before = StoredBefore(GetParam());
    FakePlatform fake;
    fake.files.files = before;
    Menus menus;
    BuildNewTree(menus.categories());
    fake.files.dieAtStep = 12; // leaves a temporary file behind, still open
    EXPECT_FALSE(SaveConfiguration(menus.categories(), fake.platform));
    fake.files.Restart();
    EXPECT_TRUE(SaveConfiguration(menus.categories(), fake.platform));
    fake.files.PowerCut();
    Menus next;
    EXPECT_TRUE(LoadConfiguration(next.categories(), fake.platform).valid);
    EXPECT_EQ(Describe(next.categories()), new_);
}

TEST(DurableFileTest, AWriterThatThrowsFailsAndLeavesNoTemporaryFile) {
    FakePlatform fake;
    fake.files.files = {{"C:\\Out\\a.html", "old"}};
    const ContentWriter write = [](FileApi& files, FileHandle file) -> bool {
        files.Write(file, reinterpret_cast<const std::uint8_t*>("<h"), 2);
        throw std::bad_alloc();
    };
    EXPECT_FALSE(ReplaceDurably(fake.files, "C:\\Out\\a.html", write));
    EXPECT_EQ(fake.files.files, (FileSystem{{"C:\\Out\\a.html", "old"}}));
}

INSTANTIATE_TEST_SUITE_P(StoredBefore, ConfigurationFaultTest,
                         ::testing::Values(Before::BothWhole, Before::OnlyCopy,
                                           Before::PrimaryAndTornCopy, Before::Nothing));

} // namespace
} // namespace vantrel
