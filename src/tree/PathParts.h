#pragma once
// The name part and directory part of a Windows path, as every editor and the icon lookup
// of bare program names use them.

#include <string>

namespace vantrel {

// Everything after the last backslash or colon; the whole text when it has neither.
std::string NamePart(const std::string& path);

// Everything before the name part, without its final backslash unless that backslash is
// the first character or directly follows a colon or another backslash ("C:\" stays a
// root, "\\server\" keeps its doubled prefix); empty when there is no backslash or colon.
std::string DirectoryPart(const std::string& path);

} // namespace vantrel
