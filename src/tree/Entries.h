#pragma once
// Creating and releasing the user's entries. A group or item is a menu node whose tag holds
// its record; new entries are appended as the last child of their container.

#include "tree/MenuNode.h"

#include <cstdint>
#include <string>

namespace vantrel {

MenuNode& CreateGroupEntry(MenuNode& parent, const std::string& title, std::uint8_t kind,
                           std::uint8_t entryType);

struct ItemFields {
    std::string title;
    std::string target;
    std::string parameters;
    std::string workDir;
    std::uint8_t runAsAdmin = 0;
    std::uint8_t kind = LinkKindRun;
    std::uint8_t entryType = EntryTypeItem;
};

// The entry's own picture is not read here: it shows the picture of its kind until that has
// been read (see RowPictures).
MenuNode& CreateItemEntry(MenuNode& parent, const ItemFields& fields);
// The same, taking the texts over instead of copying them (the loader creates thousands).
MenuNode& CreateItemEntry(MenuNode& parent, ItemFields&& fields);

// Releases the records of every entry below the node (not the node's own) and leaves the
// menu nodes in place with empty tags.
void ReleaseEntryRecords(MenuNode& node);

int GroupImageOfKind(int kind);

} // namespace vantrel
