#include "tree/EntryActions.h"

#include "tree/Entries.h"

namespace vantrel {

MenuNode* EntryOfActionCommand(const MenuNode& clicked) {
    MenuNode* actions = clicked.Parent();
    MenuNode* entry = actions ? actions->Parent() : nullptr;
    if (!entry || !entry->Tag())
        return nullptr;
    return entry;
}

void DeleteEntry(MenuNode& entry) {
    MenuNode* parent = entry.Parent();
    if (!parent)
        return;
    ReleaseEntryRecords(entry);
    entry.Clear();
    // Dropping the removed node releases the entry's own record with it.
    parent->Remove(entry);
}

bool MoveEntryUp(MenuNode& entry) {
    const int index = entry.IndexInParent();
    if (index <= FirstEntryIndex)
        return false;
    entry.Parent()->Move(static_cast<std::size_t>(index), static_cast<std::size_t>(index - 1));
    return true;
}

bool MoveEntryDown(MenuNode& entry) {
    const int index = entry.IndexInParent();
    if (index < FirstEntryIndex) // not an entry position: the fixed items stay where they are
        return false;
    const std::size_t from = static_cast<std::size_t>(index);
    if (from + 1 >= entry.Parent()->Count())
        return false;
    entry.Parent()->Move(from, from + 1);
    return true;
}

} // namespace vantrel
