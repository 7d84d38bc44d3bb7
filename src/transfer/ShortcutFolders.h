#pragma once
// Imports of folders of shortcuts: shell links (.lnk) read through the shell, internet
// shortcuts (.url) by their address, subfolders as groups, in the order Explorer lists
// them (folders first, by name). Hidden files are passed over; a folder reached a second
// time through a junction or a symbolic link (or through one at all where the system does
// not tell folders apart), nested past the configuration's depth or past the 10,000th, and
// what comes once no category has room, are left out and counted.

#include "platform/Platform.h"
#include "transfer/ImportBuilder.h"

#include <optional>
#include <string>

namespace vantrel {

// The folder at `folder` (UTF-8) as a new group named after it.
ImportOutcome PrepareFolderImport(const std::string& folder, const Categories& categories,
                                  Platform& platform);

// The user's and the all users' Programs folders merged as the Start menu shows them
// (folders of the same name are one), as a new group "Start Menu".
ImportOutcome PrepareStartMenuImport(const Categories& categories, Platform& platform);

// The address an internet shortcut's text holds (its URL= line under [InternetShortcut]),
// in the code page as the file keeps it; empty when it has none.
std::optional<std::string> AddressOfInternetShortcut(const std::string& text);

} // namespace vantrel
