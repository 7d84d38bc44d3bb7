#pragma once
// From the shell's small icon of a target to an entry's pixels, and where an entry's picture
// is read from.

#include "platform/PictureApi.h"
#include "platform/Platform.h"
#include "tree/LinkEntry.h"

#include <optional>
#include <string>

namespace vantrel {

// Expands a leading %SystemRoot%/%systemroot%, %windir%/%WinDir% and
// %SystemDrive%/%systemdrive% (only those spellings, only at the very start).
std::string ExpandLeadingPlaceholders(const std::string& path, ProcessApi& process);

// Turns a raw icon into entry pixels of its own size: keeps the icon's own alpha when it has
// any, else builds alpha from the mask (white = transparent). Empty when no pixels can be
// made.
std::optional<IconPixels> ConvertIcon(const RawIcon& icon);

// The picture at side x side: as it is when it has that side, else resampled (the shell may
// have only a larger icon than a row needs).
IconPixels FittedPicture(const IconPixels& pixels, int side);

// A raw icon as a row's picture of side x side; empty when no pixels can be made.
std::optional<IconPixels> PictureOfIcon(const std::optional<RawIcon>& icon, int side);

// Reads the picture at once, on this thread (for the drives of Disk Drives that answer at
// once), at side x side. True exactly when the entry's picture was stored; on false it stays
// as it was.
bool LoadIconFromPath(const std::string& path, LinkEntry* entry, Platform& platform,
                      int side = IconSide);

// Where an application's or a file's own picture is read from: its target with the leading
// placeholders expanded; a bare program name in the Windows directory, then in system32.
// Empty without a target (or, for a bare name, without a usable Windows directory).
std::optional<PictureSource> EntryPictureSource(const LinkEntry& entry, ProcessApi& process);

// True for a path whose icon lookup may wait on a network or a removable medium.
bool MayWaitOnTheNetwork(const std::string& path, DrivesApi& drives);

} // namespace vantrel
