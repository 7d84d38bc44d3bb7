#include "find/EntryIndex.h"

#include "find/ReadAhead.h"

#include <algorithm>
#include <limits>

namespace vantrel {

namespace {

// Every item below the node in menu order, without its letters yet; groups are gone
// through, not kept.
void CollectItems(const MenuNode& node, std::vector<IndexedItem>& items) {
    const std::size_t count = node.Count();
    for (std::size_t i = 0; i < count; ++i) {
        if (i + 4 < count)
            Prefetch(&node.Child(i + 4));
        if (i + 2 < count)
            Prefetch(node.Child(i + 2).Tag());
        const MenuNode& child = node.Child(i);
        const LinkEntry* record = child.Tag();
        if (!record)
            continue; // "Add New Item", separators, command submenus
        if (record->isGroup == 0)
            items.push_back({&child, record});
        else if (child.HasMadeChildren()) // deferred children are commands, never entries
            CollectItems(child, items);
    }
}

std::uint16_t StartOf(std::string_view text, const CaseFold& fold) {
    const unsigned first = text.size() > 0 ? fold.Upper(text[0]) : 0;
    unsigned second = text.size() > 1 ? static_cast<unsigned char>(text[1]) : 0;
    if (second && !IsLeadByte(fold.LeadBytes(), text[0]))
        second = fold.Upper(text[1]); // not the second half of a character
    return static_cast<std::uint16_t>(first << 8 | second);
}

void FillLetters(IndexedItem& item, const CaseFold& fold) {
    const std::string& caption = item.node->caption;
    const TextLetters inCaption = fold.LettersOf(caption, Sketch::WordStarts);
    item.caption = inCaption.letters;
    item.wordStarts = inCaption.wordStarts;
    const TextLetters inTarget = fold.LettersOf(item.record->target, Sketch::Pairs);
    item.target = inTarget.letters;
    item.targetPairs = inTarget.pairs;
    item.captionLength = static_cast<std::uint16_t>(
        std::min<std::size_t>(caption.size(), std::numeric_limits<std::uint16_t>::max()));
    item.captionStart = StartOf(caption, fold);
}

// Reads the texts of every item, asking for each item's node and record, then its texts,
// ahead of reading them.
void FillLetters(std::vector<IndexedItem>& items, const CaseFold& fold) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i + ReadAhead < items.size()) {
            Prefetch(items[i + ReadAhead].node);
            Prefetch(items[i + ReadAhead].record);
        }
        if (i + ReadAhead / 2 < items.size()) {
            Prefetch(items[i + ReadAhead / 2].node->caption.data());
            Prefetch(items[i + ReadAhead / 2].record->target.data());
        }
        FillLetters(items[i], fold);
    }
}

} // namespace

void EntryIndex::Update(const Categories& tree, const CaseFold& fold) {
    if (made_ && changes_ == MenuNode::Changes())
        return;
    // Filled again in place: the room it had is seldom too small, and never held twice.
    made_ = false;
    items_.clear();
    for (const MenuNode* category : tree.InMenuOrder())
        if (category)
            CollectItems(*category, items_);
    if (items_.capacity() > items_.size() + items_.size() / 8)
        items_.shrink_to_fit();
    FillLetters(items_, fold);
    made_ = true;
    changes_ = MenuNode::Changes();
}

} // namespace vantrel
