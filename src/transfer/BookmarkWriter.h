#pragma once
// The whole tree as a bookmarks file that any browser imports and a person can read: each
// category and group a folder, each entry a link (web addresses as they are, everything
// else as a file: address), with attributes of our own for what a link cannot say, so that
// importing the file gives the same tree back.

#include "platform/Platform.h"
#include "tree/Categories.h"

#include <string>

namespace vantrel {

struct ExportOutcome {
    bool written = false;
    int entries = 0;     // groups and items written
    std::string failure; // why not, for the user
};

// Writes the file at `path` (UTF-8) by the safe route: an existing file is replaced only
// once the new one is whole on the disk. The new one is written first as "<path>.tmp",
// which replaces and then removes a file of that name beside it.
ExportOutcome ExportBookmarks(const Categories& categories, const std::string& path,
                              Platform& platform);

} // namespace vantrel
