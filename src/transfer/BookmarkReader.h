#pragma once
// Reads a bookmarks file as browsers export it, a piece at a time: a file of any size costs
// a fixed amount of memory besides what it brings in. The text's encoding is the one its
// META line declares (UTF-8 when none), character references are decoded, separators and
// descriptions are passed over.

#include "platform/Platform.h"
#include "transfer/ImportBuilder.h"
#include "transfer/ImportSink.h"

#include <optional>
#include <string>

namespace vantrel {

// Hands what the open file holds to the sink, in UTF-8. Why the file cannot be imported
// (not a bookmarks file, cut short, unreadable, an encoding the system cannot read); empty
// when it was read to its end.
std::optional<std::string> ReadBookmarks(FileApi& files, FileHandle file, CodePageApi& codePage,
                                         ImportSink& sink);

// The bookmarks file at `path` (UTF-8) as a new group "Bookmarks" (one of our own export,
// read into a tree without entries, as the categories it holds), prepared beside the tree.
ImportOutcome PrepareBookmarksImport(const std::string& path, const Categories& categories,
                                     Platform& platform);

} // namespace vantrel
