#pragma once
// What Find keeps of the tree between keystrokes: a small record of every item, in the
// tree's order, saying which letters its caption and target hold. A search reads an item's
// texts only when these say it may match and rank among the rows kept; the texts stay in
// the tree, so the index is a fraction of its size (32 bytes an item in the 32-bit exe). It
// is made at the first search, and again at the first search after the tree changed.

#include "find/CaseFold.h"
#include "tree/Categories.h"
#include "tree/MenuNode.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vantrel {

struct IndexedItem {
    const MenuNode* node = nullptr;
    const LinkEntry* record = nullptr; // the node's tag
    PairSet targetPairs = 0;
    LetterSet caption = 0;
    LetterSet wordStarts = 0; // the first letters of the caption's words
    LetterSet target = 0;
    std::uint16_t captionLength = 0; // at most 65535: a bound, never more than the length
    std::uint16_t captionStart = 0;  // its first two bytes, folded (0 past the end)
};

static_assert(sizeof(void*) != 4 || sizeof(IndexedItem) == 32); // counted so for the exe

class EntryIndex {
  public:
    // Indexes the tree as it is now, unless nothing changed since the last time.
    void Update(const Categories& tree, const CaseFold& fold);
    const std::vector<IndexedItem>& Items() const { return items_; }

  private:
    std::vector<IndexedItem> items_;
    bool made_ = false;
    unsigned changes_ = 0; // the tree's change count when it was indexed
};

} // namespace vantrel
