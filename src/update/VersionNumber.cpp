#include "update/VersionNumber.h"

#include <cstdint>
#include <limits>

namespace vantrel {

namespace {
constexpr std::int64_t Largest = std::numeric_limits<std::int32_t>::max();

int DigitValue(char c, int base) {
    int value = -1;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value < base ? value : -1;
}

// Reads digits of the base up to the end; empty when there are none, when anything else
// follows or when the value grows past 32 bits.
std::optional<std::int64_t> ReadDigits(const std::string& text, std::size_t at, int base) {
    if (at >= text.size())
        return std::nullopt;
    std::int64_t value = 0;
    for (; at < text.size(); ++at) {
        const int digit = DigitValue(text[at], base);
        if (digit < 0)
            return std::nullopt;
        value = value * base + digit;
        if (value > Largest + 1) // the magnitude of the most negative number still fits
            return std::nullopt;
    }
    return value;
}
} // namespace

std::optional<std::int32_t> ParseVersionText(const std::string& whole) {
    const std::string text = whole.substr(0, whole.find('\0'));
    std::size_t at = text.find_first_not_of(' ');
    if (at == std::string::npos)
        return std::nullopt;
    bool negative = false;
    if (text[at] == '+' || text[at] == '-')
        negative = text[at++] == '-';
    int base = 10;
    if (at < text.size() && text[at] == '$') {
        base = 16;
        at += 1;
    } else if (text.compare(at, 2, "0x") == 0 || text.compare(at, 2, "0X") == 0) {
        base = 16;
        at += 2;
    }
    const std::optional<std::int64_t> magnitude = ReadDigits(text, at, base);
    if (!magnitude)
        return std::nullopt;
    if (*magnitude == 0)
        return 0;
    if (negative || *magnitude > Largest)
        return std::nullopt;
    return static_cast<std::int32_t>(*magnitude);
}

VersionVerdict JudgeVersion(std::uint32_t fetched, std::int32_t own) {
    if (fetched == 0)
        return {"Unable to read version information.", "Ok", false};
    if (static_cast<std::int64_t>(fetched) <= own)
        return {"No new version is available at this time.", "Ok", false};
    // The major part is kept in a byte.
    const unsigned major = (fetched / 100) % 256;
    const unsigned minor = (fetched / 10) % 10;
    const unsigned patch = fetched % 10;
    return {"New version " + std::to_string(major) + "." + std::to_string(minor) + "." +
                std::to_string(patch) + " is available",
            "Download", true};
}

} // namespace vantrel
