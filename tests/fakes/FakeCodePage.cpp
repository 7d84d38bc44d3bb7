#include "fakes/FakeCodePage.h"

namespace vantrel::testing {

std::string FakeCodePage::AnsiToUtf8(const std::string& ansi) {
    std::string utf8;
    for (const char c : ansi) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

std::optional<std::string> FakeCodePage::Utf8ToAnsi(const std::string& utf8) {
    std::string ansi;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x80) {
            ansi += utf8[i];
            continue;
        }
        // Only the two-byte forms of U+0080..U+00FF have a place in this code page.
        if ((byte != 0xC2 && byte != 0xC3) || i + 1 == utf8.size())
            return std::nullopt;
        const auto next = static_cast<unsigned char>(utf8[++i]);
        ansi += static_cast<char>(((byte & 0x03) << 6) | (next & 0x3F));
    }
    return ansi;
}

std::optional<std::string> FakeCodePage::ShortPathOf(const std::string& utf8Path) {
    const auto it = shortPaths.find(utf8Path);
    if (it == shortPaths.end())
        return std::nullopt;
    return it->second;
}

std::string FakeCodePage::UpperCase(const std::string& ansi) {
    std::string upper = ansi;
    for (char& c : upper) {
        const auto byte = static_cast<unsigned char>(c);
        // a-z, and à-þ but for the division sign.
        if ((byte >= 'a' && byte <= 'z') || (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7))
            c = static_cast<char>(byte - 0x20);
    }
    return upper;
}

std::optional<std::string> FakeCodePage::CodePageToUtf8(unsigned codePage,
                                                        const std::string& bytes) {
    if ((codePage == 1252 || codePage == 28591) && StartsCharacter(bytes, bytes.size(), leadBytes))
        return AnsiToUtf8(bytes);
    return std::nullopt;
}

} // namespace vantrel::testing
