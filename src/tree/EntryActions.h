#pragma once
// How a command in an entry's "Actions" submenu finds its entry, and the commands that
// rearrange the tree: delete, move up, move down. None of them saves.

#include "tree/MenuNode.h"

namespace vantrel {

// Indexes 0 and 1 of a category or group hold "Add New Item" or "Actions" and a separator,
// which never move; entries start here.
constexpr int FirstEntryIndex = 2;

// The entry whose "Actions" submenu holds the clicked command (the parent of its parent);
// null when a link of that chain or the entry's record is missing.
MenuNode* EntryOfActionCommand(const MenuNode& clicked);

// Releases the records of the entry and of everything below it and destroys its menu
// nodes, the "Actions" submenu the click came from included. Without a parent nothing
// happens.
void DeleteEntry(MenuNode& entry);

// Moves the entry one place up or down within its parent; never past the first entry
// position or the end, never out of its parent. False when it stayed where it was.
bool MoveEntryUp(MenuNode& entry);
bool MoveEntryDown(MenuNode& entry);

} // namespace vantrel
