#pragma once
// An import built off to the side of the tree and attached to it only once it is whole.
//
// Each source becomes one new group named after it in every category that receives
// something, holding the source's folders as groups; each link goes to the category that
// fits it. Folders are made only when an entry lands in them, so empty ones never appear.
// Titles are cut as the editors cut them; paths and other texts that do not fit a record,
// names the code page cannot hold (paths keep their short form where that converts), and
// anything past a category's 10,000 entries or the 100 levels of nesting are left out and
// counted. A top-level folder of a file this program exported brings its category's
// content as it was into the source's group in that category; into an empty tree (nothing
// in any category), straight into the category, which restores the tree exported.
//
// Made on the user-interface thread only: every entry it makes counts as a change to the
// tree (MenuNode::Changes), a count that is not atomic.

#include "platform/CodePageApi.h"
#include "platform/ShortcutsApi.h"
#include "transfer/ImportSink.h"
#include "transfer/ImportSummary.h"
#include "tree/Categories.h"
#include "tree/Configuration.h"
#include "tree/Entries.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <vector>

namespace vantrel {

class PreparedImport {
  public:
    PreparedImport();
    const ImportSummary& Summary() const { return summary_; }
    // Appends the import's entries to their categories, all of them or, when a category has
    // no room for them any more or memory runs out, none (say AttachFailure then). Nothing
    // already there changes.
    bool AttachTo(const Categories& categories);

  private:
    friend class ImportBuilder;
    // What each category receives, in the configuration's order of categories.
    std::array<std::unique_ptr<MenuNode>, config::CategoryCount> roots_;
    std::array<std::int32_t, config::CategoryCount> added_{}; // entries below each root
    ImportSummary summary_;
};

extern const char* const AttachFailure;

// Why an import failed, or what it prepared.
struct ImportOutcome {
    std::optional<PreparedImport> prepared; // empty when the import failed
    std::string failure;                    // then says why, for the user
};

// Runs `prepare` and turns an exception into a failure that leaves the tree alone.
template <typename Prepare> ImportOutcome GuardedImport(Prepare&& prepare);

struct ImportCandidate;

class ImportBuilder final : public ImportSink {
  public:
    // `sourceName` (UTF-8) names the new group; "Bookmarks 2" when "Bookmarks" is a
    // top-level title in a category already, and `fallbackName` when the code page cannot
    // hold it.
    ImportBuilder(const Categories& categories, const std::string& sourceName,
                  const std::string& fallbackName, CodePageApi& codePage);
    ~ImportBuilder() override;
    ImportBuilder(const ImportBuilder&) = delete;
    ImportBuilder& operator=(const ImportBuilder&) = delete;

    void EnterFolder(const std::optional<std::string>& name, const OwnFields& own) override;
    void LeaveFolder() override;
    void AddAddress(std::string title, std::string address, OwnFields own) override;
    void Skip(SkipReason reason) override { import_.summary_.Skip(reason); }
    // A shell link (.lnk) at `linkPath`; one that opens no file opens through itself.
    void AddShellLink(std::string title, ShellLinkTarget link, const std::string& linkPath);

    PreparedImport Finish();
    // Whether any category still has room for an entry.
    bool HasRoom() const {
        return std::any_of(room_.begin(), room_.end(), [](std::int32_t room) { return room > 0; });
    }

  private:
    struct Frame;

    std::optional<ImportCandidate> CandidateOf(std::string& address, OwnFields& own);
    void Place(ImportCandidate candidate, std::string title);
    std::optional<SkipReason> FillTexts(ImportCandidate& candidate, std::string& title);
    MenuNode* GroupsFor(std::size_t category, std::int32_t entries, SkipReason& why);
    MenuNode& MakeGroup(MenuNode& parent, const Frame& frame, std::size_t category);
    void Count(std::size_t category); // an entry made in the category
    // Each converts the UTF-8 text into the code page in place; false when it cannot.
    bool ToAnsi(std::string& text);
    bool ToAnsiTitle(std::string& text); // not cut yet
    bool ToAnsiPath(std::string& text);
    void ToAnsiAddress(std::string& text);

    CodePageApi& codePage_;
    LeadByteTable leadBytes_;
    bool restoring_ = false; // the tree holds no entries at all
    PreparedImport import_;
    std::vector<Frame> frames_;
    int ignoredLevels_ = 0; // folders opened inside one whose content is left out
    std::array<std::int32_t, config::CategoryCount> room_{};
};

template <typename Prepare> ImportOutcome GuardedImport(Prepare&& prepare) {
    try {
        return prepare();
    } catch (const std::bad_alloc&) {
        return {std::nullopt, "There is not enough memory for this import."};
    } catch (...) {
        return {std::nullopt, "The import failed unexpectedly."};
    }
}

} // namespace vantrel
