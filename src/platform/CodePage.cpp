#include "platform/CodePageApi.h"

#include <algorithm>

namespace vantrel {

std::optional<std::string> StorablePath(const std::string& utf8Path, CodePageApi& codePage) {
    if (std::optional<std::string> ansi = codePage.Utf8ToAnsi(utf8Path))
        return ansi;
    if (const std::optional<std::string> shortPath = codePage.ShortPathOf(utf8Path))
        return codePage.Utf8ToAnsi(*shortPath);
    return std::nullopt;
}

// After a byte that is no lead byte a character starts; a run of lead bytes before `at` pairs
// up from its start, each with the byte after it, so `at` starts one when the run is even.
bool StartsCharacter(std::string_view text, std::size_t at, const LeadByteTable& leadBytes) {
    at = std::min(at, text.size());
    std::size_t leads = 0;
    while (leads < at && IsLeadByte(leadBytes, text[at - leads - 1]))
        ++leads;
    return leads % 2 == 0;
}

std::size_t CharacterCut(std::string_view text, std::size_t limit, const LeadByteTable& leadBytes) {
    const std::size_t cut = std::min(limit, text.size());
    return StartsCharacter(text, cut, leadBytes) ? cut : cut - 1;
}

} // namespace vantrel
