#include "transfer/Addresses.h"

#include "tree/PathParts.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace vantrel {

namespace {
const char* const HexDigits = "0123456789ABCDEF";

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), Lower);
    return text;
}

bool SameNoCase(std::string_view text, std::string_view lower) {
    return text.size() == lower.size() && std::equal(text.begin(), text.end(), lower.begin(),
                                                     [](char a, char b) { return Lower(a) == b; });
}

// Kept as they are in a file: address; everything else is escaped.
bool KeptInFileUrl(char c) {
    return IsAsciiLetter(c) || (c >= '0' && c <= '9') ||
           std::string("-._~/!$&'()*+,;=:@").find(c) != std::string::npos;
}

void AppendEscaped(std::string& out, unsigned char byte) {
    out += '%';
    out += HexDigits[byte >> 4];
    out += HexDigits[byte & 0x0F];
}

std::string EscapedForFileUrl(const std::string& path) {
    std::string out;
    out.reserve(path.size() + 8);
    for (const char c : path) {
        if (KeptInFileUrl(c))
            out += c;
        else
            AppendEscaped(out, static_cast<unsigned char>(c));
    }
    return out;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    const char lower = Lower(c);
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

bool StartsWithDrive(std::string_view path) {
    return path.size() >= 2 && IsAsciiLetter(path[0]) && (path[1] == ':' || path[1] == '|');
}

// What follows "file:" with the host and the slashes before a drive taken off.
std::string_view PathPartOfFileUrl(std::string_view rest) {
    if (rest.substr(0, 3) == "///")
        return rest.substr(3);
    if (rest.substr(0, 2) != "//")
        return rest.substr(0, 1) == "/" && StartsWithDrive(rest.substr(1)) ? rest.substr(1) : rest;
    const std::size_t hostEnd = std::min(rest.find('/', 2), rest.size());
    if (!SameNoCase(rest.substr(2, hostEnd - 2), "localhost"))
        return rest; // "//server/share"
    return rest.substr(std::min(hostEnd + 1, rest.size()));
}

// The text from `from` on, percent-escapes decoded and forward slashes made backslashes,
// written over the text itself.
void DecodeIntoPath(std::string& text, std::size_t from) {
    if (text.find('%', from) == std::string::npos) { // most paths: no escapes
        text.erase(0, from);
        std::replace(text.begin(), text.end(), '/', '\\');
        return;
    }
    std::size_t length = 0;
    for (std::size_t i = from; i < text.size(); ++i) {
        const int high = i + 2 < text.size() && text[i] == '%' ? HexValue(text[i + 1]) : -1;
        const int low = high >= 0 ? HexValue(text[i + 2]) : -1;
        if (low >= 0) {
            text[length++] = static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            text[length++] = text[i] == '/' ? '\\' : text[i];
        }
    }
    text.resize(length);
}
} // namespace

std::string FileUrlOf(const std::string& path) {
    std::string slashed = path;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    if (slashed.rfind("//", 0) == 0)
        return "file:" + EscapedForFileUrl(slashed);
    return "file:///" + EscapedForFileUrl(slashed);
}

bool ToPathOfFileUrl(std::string& address) {
    const std::string_view text(address);
    if (!SameNoCase(text.substr(0, 5), "file:"))
        return false;
    const std::string_view part = PathPartOfFileUrl(text.substr(5));
    const bool drive = StartsWithDrive(part);
    DecodeIntoPath(address, static_cast<std::size_t>(part.data() - address.data()));
    if (drive)
        address[1] = ':';
    return true;
}

std::optional<std::string> PathOfFileUrl(const std::string& address) {
    std::string path = address;
    return ToPathOfFileUrl(path) ? std::optional<std::string>(std::move(path)) : std::nullopt;
}

std::string SchemeOf(const std::string& address) {
    const std::size_t colon = address.find(':');
    if (colon == std::string::npos || colon < 2 || !IsAsciiLetter(address[0]))
        return std::string();
    for (std::size_t i = 1; i < colon; ++i) {
        const char c = address[i];
        if (!IsAsciiLetter(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.')
            return std::string();
    }
    return Lowered(address.substr(0, colon));
}

std::string PercentEncodeNonAscii(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x80)
            out += c;
        else
            AppendEscaped(out, static_cast<unsigned char>(c));
    }
    return out;
}

bool IsAscii(const std::string& text) {
    // Eight bytes at a time: every title and path of an import passes here.
    std::uint64_t bits = 0;
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        bits |= word;
    }
    for (; i < text.size(); ++i)
        bits |= static_cast<unsigned char>(text[i]);
    return (bits & 0x8080808080808080u) == 0;
}

bool IsSharePath(const std::string& path) {
    return path.size() > 2 && path[0] == '\\' && path[1] == '\\';
}

bool IsProgramPath(const std::string& path) {
    const std::string name = NamePart(path);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return false;
    const std::string extension = Lowered(name.substr(dot + 1));
    for (const char* program : {"exe", "com", "bat", "cmd", "msc"})
        if (extension == program)
            return true;
    return false;
}

} // namespace vantrel
