#pragma once
// Creating and releasing the user's entries. A group or item is a menu node whose tag holds
// its record; new entries are appended as the last child of their container.

#include "platform/Platform.h"
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

// Applications and files read their icon here: callers bracket the call with
// SuspendRedirection/RestoreRedirection.
MenuNode& CreateItemEntry(MenuNode& parent, const ItemFields& fields, Platform& platform);
// The same, taking the texts over instead of copying them (the loader creates thousands).
MenuNode& CreateItemEntry(MenuNode& parent, ItemFields&& fields, Platform& platform);

// Releases the records of every entry below the node (not the node's own) and leaves the
// menu nodes in place with empty tags.
void ReleaseEntryRecords(MenuNode& node);

// Reads an application's icon: a bare program name is looked for in the Windows directory,
// then in its system32 subdirectory.
bool LoadApplicationIcon(const std::string& target, LinkEntry* entry, Platform& platform);

int GroupImageOfKind(int kind);

} // namespace vantrel
