#pragma once
// "Open Link": hands a user item to the shell the way its kind asks for.

#include "platform/Platform.h"
#include "platform/ProcessFacts.h"
#include "platform/WindowsPaths.h"
#include "tree/LinkEntry.h"

#include <cstddef>
#include <optional>
#include <string>

namespace vantrel {

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
