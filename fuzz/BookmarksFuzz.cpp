// Hands any bytes to the bookmarks import as the file to read and checks what it makes of
// them:
// - an import that fails leaves the tree exactly as it was;
// - one that succeeds attaches whole, after what was there, within the configuration's
//   limits: 10,000 entries a category, depths 0 to 99, titles of 100 bytes, texts of 260;
// - the tree it gives, exported and imported into empty menus, comes back the same.

#include "app/MenuLayout.h"
#include "fakes/FakePlatform.h"
#include "transfer/BookmarkReader.h"
#include "transfer/BookmarkWriter.h"
#include "tree/ConfigTestSupport.h"
#include "tree/Entries.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace vantrel;

const char* const Input = "C:\\Users\\me\\bookmarks.html";
const char* const Output = "C:\\Users\\me\\export.html";

void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "bookmarks import property failed: %s\n", what);
        std::abort();
    }
}

// Every entry below the node fits a record, at a depth the configuration keeps.
bool FitsTheRecords(const MenuNode& node, int depth) {
    for (std::size_t i = 0; node.HasMadeChildren() && i < node.Count(); ++i) {
        const MenuNode& child = node.Child(i);
        const LinkEntry* entry = child.Tag();
        if (!entry)
            continue;
        if (depth >= config::DepthLimit || entry->title.size() > 100 ||
            entry->target.size() > 260 || entry->parameters.size() > 260 ||
            entry->workDir.size() > 260 || !FitsTheRecords(child, depth + 1))
            return false;
    }
    return true;
}

bool WithinLimits(const Categories& categories) {
    for (const MenuNode* category : categories.InFileOrder())
        if (CountEntries(*category, 0) > config::MaxRecordsPerCategory ||
            !FitsTheRecords(*category, 0))
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    testing::FakePlatform fake;
    fake.files.files[Input] = std::string(reinterpret_cast<const char*>(data), size);
    MainMenuLayout layout = BuildPopupMenuMain();
    CreateGroupEntry(*layout.categories.run, "Bookmarks", LinkKindRun, EntryTypeGroup);
    const std::string before = testing::Describe(layout.categories);

    ImportOutcome outcome = PrepareBookmarksImport(Input, layout.categories, fake.platform);
    if (!outcome.prepared) {
        Require(!outcome.failure.empty(), "a failure says why");
        Require(testing::Describe(layout.categories) == before, "a failed import changes nothing");
        return 0;
    }
    Require(outcome.prepared->AttachTo(layout.categories), "a prepared import attaches");
    const std::string after = testing::Describe(layout.categories);
    Require(after.rfind(before, 0) == 0, "what was there stays first");
    Require(WithinLimits(layout.categories), "the tree fits the configuration");

    Require(ExportBookmarks(layout.categories, Output, fake.platform).written, "the export");
    MainMenuLayout copy = BuildPopupMenuMain();
    ImportOutcome again = PrepareBookmarksImport(Output, copy.categories, fake.platform);
    Require(again.prepared && again.prepared->AttachTo(copy.categories), "the export imports");
    Require(testing::Describe(copy.categories) == after, "the export gives the same tree");
    return 0;
}
