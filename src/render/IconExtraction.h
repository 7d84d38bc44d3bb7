#pragma once
// Fills an entry's pixels from the shell's small icon of its target. Asked only when an
// entry is created or edited and when generated menus are built; painting only blends.

#include "platform/Platform.h"
#include "tree/LinkEntry.h"

#include <optional>
#include <string>

namespace vantrel {

// Expands a leading %SystemRoot%/%systemroot%, %windir%/%WinDir% and
// %SystemDrive%/%systemdrive% (only those spellings, only at the very start).
std::string ExpandLeadingPlaceholders(const std::string& path, ProcessApi& process);

// Turns a raw icon into entry pixels: keeps the icon's own alpha when it has any, else
// builds alpha from the mask (white = transparent). Empty when no pixels can be made.
std::optional<IconPixels> ConvertIcon(const RawIcon& icon);

// True exactly when the entry's 1024 pixel bytes were written; on false they stay as they were.
bool LoadIconFromPath(const std::string& path, LinkEntry* entry, Platform& platform);
bool LoadIconFromIdList(const void* idList, LinkEntry* entry, Platform& platform);
// The same for a path the system gave the program (UTF-8), taken as it is.
bool LoadIconFromSystemPath(const std::string& path, LinkEntry* entry, Platform& platform);

// LoadIconFromPath for a user's entry, without ever making the program wait on a network
// server or a slow medium: a target on a share (a UNC path, or a drive that is not a fixed
// or RAM disk) is read in the background and its pixels arrive when the shell answers, if
// the entry still exists then. True when the pixels were written at once.
bool LoadEntryIcon(const std::string& path, LinkEntry* entry, Platform& platform);

// True for a path whose icon lookup may wait on a network or a removable medium.
bool MayWaitOnTheNetwork(const std::string& path, DrivesApi& drives);

} // namespace vantrel
