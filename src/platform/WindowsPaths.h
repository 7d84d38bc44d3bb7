#pragma once
// The Windows directory as the program uses it, and the placeholders that stand for it at
// the start of a stored target. The launcher and the icon lookup both go through here, so
// an entry shows the icon of the very file it opens.

#include "platform/ProcessApi.h"

#include <cstddef>
#include <string>

namespace vantrel {

// Applications keep the drive letter and colon ("C:"); files and folders also keep the
// backslash after it, so "%SystemDrive%" alone names the drive's root.
constexpr std::size_t ApplicationDriveLength = 2;
constexpr std::size_t FileDriveLength = 3;

// The Windows directory when the system reports 1 to 280 characters, else empty.
std::string UsableWindowsDirectory(ProcessApi& process);

// Replaces one leading %SystemRoot%/%systemroot%, %windir%/%WinDir% or
// %SystemDrive%/%systemdrive% (exactly those spellings, only at the very start) with the
// Windows directory or its drive. A token the system cannot resolve stays as written.
std::string ExpandSystemPrefix(const std::string& target, std::size_t driveLength,
                               ProcessApi& process);

// How a 32-bit process under WOW64 reaches a file in the real system directory with
// redirection left on: the system directory (as GetSystemDirectory reports it, in the path's
// encoding) at the start of the path becomes its alias Sysnative beside it. Any other path,
// the directory itself among them, stays as it is.
std::string ThroughSysnative(const std::string& path, const std::string& systemDirectory);

} // namespace vantrel
