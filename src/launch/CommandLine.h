#pragma once
// The two decisions every start of a command line makes: where the program name ends, and
// which shell verb to use. Launching a stored command line and the command-line editor's
// "Test" button both use these, so the two always agree.

#include "platform/ShellApi.h"

#include <cstdint>
#include <string>

namespace vantrel {

struct CommandLineParts {
    std::string program;    // empty when the line begins with a blank or control character
    std::string parameters; // the rest, unchanged; empty when nothing remains
};

// The program part runs up to the first blank or control character (code 0 to 32); the
// spaces after it are skipped (a tab is not); the rest are the parameters. Quotation marks
// mean nothing here, and nothing is expanded.
CommandLineParts SplitCommandLine(const std::string& commandLine);

// "open", or "runas" when the entry asks for elevation and the program does not already
// run with administrator rights. The shell is asked only when elevation is wanted.
std::string LaunchVerb(std::uint8_t runAsAdmin, ShellApi& shell);

extern const char* const VerbOpen;  // "open"
extern const char* const VerbRunAs; // "runas"

} // namespace vantrel
