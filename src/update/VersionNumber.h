#pragma once
// The version file's text and what the result dialog says about the number in it.
// Version numbers are major * 100 + minor * 10 + patch; 0 means no number was obtained.

#include <cstdint>
#include <optional>
#include <string>

namespace vantrel {

// The text must be one integer and nothing else: leading blanks, an optional sign, then
// decimal digits or a hexadecimal number after "$" or "0x". The text ends at its first
// zero byte. Empty for anything else, for a negative number and for one beyond 32 bits
// (a version number is never negative; taken as unsigned it would announce a bogus
// version).
std::optional<std::int32_t> ParseVersionText(const std::string& text);

struct VersionVerdict {
    std::string text;   // the dialog's message
    std::string button; // the caption of its button
    bool newer = false; // a newer version is announced: the button opens the downloads page
};

// What to tell the user about the fetched number compared with the program's own.
VersionVerdict JudgeVersion(std::uint32_t fetched, std::int32_t own);

} // namespace vantrel
