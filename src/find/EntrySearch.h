#pragma once
// Finding the user's entries by a few typed words.
//
// The text is cut at blanks into words. An item (groups are not found; their names make
// its path) is found when each word occurs, whatever its case in the code page, in its
// caption, or failing that in its target. Found items are ranked:
//   1. the caption starts with the whole text, its words joined by single blanks;
//   2. each word starts a word of the caption (at its start, or after a blank or a mark);
//   3. the caption holds each word;
//   4. some word occurs only in the target;
// and within a rank the shorter caption first, then the earlier place in the tree (the
// categories in the main menu's order, each group's entries in their menu's order).

#include "find/EntryIndex.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

enum class MatchRank : std::uint8_t { CaptionStarts, WordsStart, CaptionHolds, TargetHolds };

struct FoundEntry {
    const MenuNode* node = nullptr;
    MatchRank rank = MatchRank::TargetHolds;
    std::uint32_t captionLength = 0;
    std::uint32_t position = 0; // in the tree, counting items only
};
static_assert(sizeof(void*) != 4 || sizeof(FoundEntry) == 16); // counted so for the exe

// The best `limit` items of the index, best first; nothing for a text without words. The
// index must be up to date with the tree.
std::vector<FoundEntry> SearchEntries(const EntryIndex& index, const CaseFold& fold,
                                      std::string_view text, std::size_t limit);

// Whether the text holds a word to search for, not only blanks.
bool HasWords(std::string_view text);

// The category and the groups that hold the entry: "Applications > Tools".
std::string GroupPath(const MenuNode& entry);

} // namespace vantrel
