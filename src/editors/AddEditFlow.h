#pragma once
// Adding and editing entries through their category's dialog: where a new entry goes, how
// the dialog is reset and put into the right mode before it is shown, and how its fields
// become a new entry or are written back into an existing one. Only the tree in memory
// changes; the file is written at the next save.

#include "editors/EntryDialog.h"
#include "tree/Categories.h"
#include "tree/MenuNode.h"

#include <cstdint>
#include <optional>

namespace vantrel {

struct AddPlace {
    MenuNode* container; // a category menu or a group
    std::uint8_t kind;
};

// The container of "Add New Item": the category whose fixed item was clicked, or the group
// whose "Actions" submenu holds the click. Empty when the click belongs to neither, the
// group has no record or its kind is not a saved one.
std::optional<AddPlace> FindAddContainer(const MenuNode& sender, const Categories& categories);

// Every mode selectable, the default mode checked, the check box cleared, every field empty.
void PrepareForAdd(EntryDialog& dialog);

// After OK: appends the entry the checked mode describes as the container's last child.
MenuNode& CreateEntryFromDialog(const EntryDialog& dialog, MenuNode& container,
                                std::uint8_t kind);

// Locks the dialog in the entry's mode (the other modes cannot be chosen, so a group never
// becomes an item, nor a file a folder), fills that mode's fields from the record and
// empties the rest. Returns the mode to read back after OK.
const EntryDialogMode& PrepareForEdit(EntryDialog& dialog, const LinkEntry& entry);

// After OK: writes the mode's fields back into the entry's record and caption. A group
// keeps its title when the new one is empty; an item keeps everything when its title or
// target is empty. Kind, EntryType and IsGroup never change. True when the fields were
// written (the caller then has the entry's picture read again).
bool StoreEdit(const EntryDialog& dialog, const EntryDialogMode& mode, MenuNode& entry);

} // namespace vantrel
