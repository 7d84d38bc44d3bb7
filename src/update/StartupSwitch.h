#pragma once
// The "Run at System Startup" switch: the value "Vantrel" in the current user's Run key.

#include "platform/RegistryWriteApi.h"
#include "tree/MenuNode.h"

#include <string>

namespace vantrel {

// The program path in quotes. Windows splits an unquoted Run value at its first blank, so
// "C:\My Tools\Vantrel.exe" unquoted would start "C:\My.exe" at logon when that exists.
std::string RunValueOf(const std::string& programPath);

// Whether a Run value names the running program: byte for byte, quoted (as this program
// writes it) or unquoted (as earlier versions wrote it, so those keep their check mark).
bool IsOurRunValue(const std::string& value, const std::string& programPath);

// Flips the entry's check mark first, then deletes or writes the value. A registry that
// cannot be changed leaves the check mark flipped: the next start shows the real state.
void ToggleRunAtStartup(MenuNode& entry, RegistryWriteApi& registry,
                        const std::string& programPath);

} // namespace vantrel
