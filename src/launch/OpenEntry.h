#pragma once
// "Open Link": hands a user item to the shell the way its kind asks for.

#include "platform/Platform.h"
#include "platform/ProcessFacts.h"
#include "tree/LinkEntry.h"

#include <cstddef>
#include <optional>
#include <string>

namespace vantrel {

// Applications keep the drive letter and colon ("C:"); files and folders also keep the
// backslash after it, so "%SystemDrive%" alone names the drive's root.
constexpr std::size_t ApplicationDriveLength = 2;
constexpr std::size_t FileDriveLength = 3;

// Replaces one leading %SystemRoot%/%systemroot%, %windir%/%WinDir% or
// %SystemDrive%/%systemdrive% (exactly those spellings, only at the very start) with the
// Windows directory or its drive. A token the system cannot resolve stays as written.
std::string ExpandSystemPrefix(const std::string& target, std::size_t driveLength,
                               ProcessApi& process);

// One shell call, and whether it runs with file-system redirection switched off.
struct EntryLaunch {
    ShellLaunch call;
    bool bracketed = false;
};

// What opening the entry asks of the shell; empty when the entry opens nothing (an empty
// target, a command line that is not an item or has no program, a generated row's kind).
std::optional<EntryLaunch> PlanEntryLaunch(const LinkEntry& entry, Platform& platform);

// Plans and runs the launch. The shell's answer is not examined: a launch that fails is the
// shell's to report.
void OpenEntry(const LinkEntry& entry, Platform& platform, ProcessFacts& facts);

} // namespace vantrel
