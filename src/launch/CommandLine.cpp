#include "launch/CommandLine.h"

#include <algorithm>

namespace vantrel {

const char* const VerbOpen = "open";
const char* const VerbRunAs = "runas";

namespace {
// Bytes 128 to 255 do not end the program name. They are letters of the ANSI code page
// ("C:\Tools\Müller\run.exe" in code page 1252, where even the no-break space 0xA0 is
// text, as it is to Windows' own argument splitting), or lead and trail bytes of a
// double-byte code page, whose values never fall in 0 to 32; cutting at them would start
// another, usually nonexistent, program. The byte is compared unsigned on purpose: as a
// signed char those bytes are negative, and "c <= ' '" would cut at every one of them.
bool EndsProgramPart(char c) { return static_cast<unsigned char>(c) <= ' '; }
} // namespace

CommandLineParts SplitCommandLine(const std::string& commandLine) {
    const auto programEnd =
        std::find_if(commandLine.begin(), commandLine.end(), EndsProgramPart);
    const auto parametersBegin =
        std::find_if(programEnd, commandLine.end(), [](char c) { return c != ' '; });
    return {std::string(commandLine.begin(), programEnd),
            std::string(parametersBegin, commandLine.end())};
}

std::string LaunchVerb(std::uint8_t runAsAdmin, ShellApi& shell) {
    if (runAsAdmin == 0 || shell.IsUserAnAdmin())
        return VerbOpen;
    return VerbRunAs;
}

} // namespace vantrel
