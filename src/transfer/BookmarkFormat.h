#pragma once
// The bookmarks file every browser imports and exports (the Netscape bookmark file): folders
// as <H3> headings each followed by a <DL> list, links as <A HREF>. A file this program writes
// adds attributes of its own, which browsers ignore, for what a link cannot say.

namespace vantrel::bookmarks {

constexpr const char* Doctype = "NETSCAPE-Bookmark-file-1";

// On a top-level folder: the category it holds, as its kind (3..7).
constexpr const char* CategoryAttribute = "VANTREL_CATEGORY";
// On a group or link whose kind is not its category's, or whose entry type is not the usual
// one (0 for a group, 1 for a link).
constexpr const char* KindAttribute = "VANTREL_KIND";
constexpr const char* TypeAttribute = "VANTREL_TYPE";
// On links, where they hold something.
constexpr const char* AdminAttribute = "VANTREL_ADMIN";
constexpr const char* ParametersAttribute = "VANTREL_PARAMETERS";
constexpr const char* WorkDirAttribute = "VANTREL_WORKDIR";
// On links whose address does not give their target back exactly.
constexpr const char* TargetAttribute = "VANTREL_TARGET";

} // namespace vantrel::bookmarks
