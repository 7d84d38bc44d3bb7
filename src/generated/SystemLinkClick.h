#pragma once
// What a click on a System Links or Disk Drives row does.

#include "platform/Platform.h"
#include "platform/ProcessFacts.h"
#include "tree/MenuNode.h"

#include <string>

namespace vantrel {

// The click of every generated row: by the record attached to the row itself. A row
// without one (a separator) does nothing; so does any kind or code this program does not
// know.
void PopupMenuSystemClick(const MenuNode& item, Platform& platform, ProcessFacts& facts);

// Opens a shell special folder by its CSIDL number; nothing when this machine has none.
void OpenSpecialFolder(int csidl, ShellFoldersApi& folders);

// Starts a management-console snap-in: an administrator opens the file with redirection
// off; anyone else is asked for elevation, on 64-bit Windows through the console program.
void LaunchSnapIn(const std::string& target, Platform& platform, ProcessFacts& facts);

} // namespace vantrel
