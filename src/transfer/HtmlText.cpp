#include "transfer/HtmlText.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace vantrel {

std::size_t FindNoCase(std::string_view text, std::string_view what) {
    const auto at = std::search(text.begin(), text.end(), what.begin(), what.end(),
                                [](char x, char y) { return UpperAscii(x) == UpperAscii(y); });
    return at == text.end() ? std::string_view::npos : static_cast<std::size_t>(at - text.begin());
}

std::size_t WholeUtf8(std::string_view text) {
    std::size_t start = text.size(); // of the last character: back over its other bytes
    while (start > 0 && text.size() - start < 4 &&
           (static_cast<unsigned char>(text[start - 1]) & 0xC0) == 0x80)
        --start;
    if (start == 0)
        return text.size(); // not UTF-8: left to whoever reads it
    const auto first = static_cast<unsigned char>(text[--start]);
    const std::size_t length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
    return start + length > text.size() ? start : text.size();
}

namespace {
void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The character a reference names ("amp", "#39", "#x1F600"); empty for any other text.
std::optional<std::uint32_t> ReferencedCharacter(std::string_view name) {
    static const std::pair<const char*, std::uint32_t> named[] = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}, {"nbsp", 0xA0}};
    for (const auto& [text, code] : named)
        if (name == text)
            return code;
    if (name.size() < 2 || name[0] != '#')
        return std::nullopt;
    const bool hex = name[1] == 'x' || name[1] == 'X';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    std::uint32_t code = 0;
    for (const char c : digits) {
        const int value = c >= '0' && c <= '9' ? c - '0'
                          : hex && UpperAscii(c) >= 'A' && UpperAscii(c) <= 'F'
                              ? UpperAscii(c) - 'A' + 10
                              : -1;
        if (value < 0 || code > 0x10FFFF)
            return std::nullopt;
        code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(value);
    }
    const bool valid =
        !digits.empty() && code > 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
    return valid ? std::optional<std::uint32_t>(code) : std::nullopt;
}
} // namespace

std::string DecodeReferences(std::string text) {
    if (text.find('&') == std::string::npos)
        return text;
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t end = text[i] == '&' ? text.find(';', i + 1) : std::string::npos;
        const std::optional<std::uint32_t> code =
            end != std::string::npos && end - i <= 10
                ? ReferencedCharacter(std::string_view(text).substr(i + 1, end - i - 1))
                : std::nullopt;
        if (!code) {
            out += text[i];
            continue;
        }
        AppendUtf8(out, *code);
        i = end;
    }
    return out;
}

std::string AsTitle(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, ' ');
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    text.erase(text.find_last_not_of(' ') + 1);
    text.erase(0, first);
    return text;
}

std::string AsValue(std::string text) {
    text.erase(std::remove_if(text.begin(), text.end(),
                              [](char c) { return static_cast<unsigned char>(c) < 0x20; }),
               text.end());
    return text;
}

namespace {
struct Encoding {
    const char* label;
    unsigned codePage;
};
// The labels browsers and the encoding standard use, and the Windows code page of each.
const Encoding Encodings[] = {
    {"utf-8", Utf8CodePage},
    {"utf8", Utf8CodePage},
    {"unicode-1-1-utf-8", Utf8CodePage},
    {"utf-16", Utf8CodePage},
    {"us-ascii", 1252},
    {"ascii", 1252},
    {"iso-8859-1", 1252},
    {"iso8859-1", 1252},
    {"latin1", 1252},
    {"l1", 1252},
    {"cp1252", 1252},
    {"x-cp1252", 1252},
    {"windows-1250", 1250},
    {"windows-1251", 1251},
    {"windows-1252", 1252},
    {"windows-1253", 1253},
    {"windows-1254", 1254},
    {"windows-1255", 1255},
    {"windows-1256", 1256},
    {"windows-1257", 1257},
    {"windows-1258", 1258},
    {"iso-8859-2", 28592},
    {"iso-8859-3", 28593},
    {"iso-8859-4", 28594},
    {"iso-8859-5", 28595},
    {"iso-8859-6", 28596},
    {"iso-8859-7", 28597},
    {"iso-8859-8", 28598},
    {"iso-8859-9", 28599},
    {"iso-8859-13", 28603},
    {"iso-8859-15", 28605},
    {"koi8-r", 20866},
    {"koi8-u", 21866},
    {"ibm866", 866},
    {"cp866", 866},
    {"windows-874", 874},
    {"tis-620", 874},
    {"shift_jis", 932},
    {"shift-jis", 932},
    {"sjis", 932},
    {"x-sjis", 932},
    {"windows-31j", 932},
    {"euc-jp", 20932},
    {"gbk", 936},
    {"gb2312", 936},
    {"gb18030", 54936},
    {"euc-kr", 949},
    {"ks_c_5601-1987", 949},
    {"big5", 950},
    {"macintosh", 10000},
};
} // namespace

std::optional<unsigned> CodePageOfLabel(std::string_view label) {
    for (const Encoding& encoding : Encodings)
        if (SameNoCase(label, encoding.label))
            return encoding.codePage;
    return std::nullopt;
}

std::string_view CharsetOfContentType(std::string_view content) {
    const std::size_t at = FindNoCase(content, "charset=");
    if (at == std::string_view::npos)
        return {};
    std::string_view label = content.substr(at + 8);
    return label.substr(0, std::min(label.find_first_of("; \t\"'"), label.size()));
}

namespace {
void AppendReference(std::string& out, unsigned char c) {
    out += "&#" + std::to_string(c) + ";";
}

std::string Escaped(const std::string& text, bool attribute) {
    std::string out;
    out.reserve(text.size() + 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool end = i == 0 || i + 1 == text.size();
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '"' && attribute)
            out += "&quot;";
        else if (static_cast<unsigned char>(c) < 0x20 || (c == ' ' && end && !attribute))
            AppendReference(out, static_cast<unsigned char>(c));
        else
            out += c;
    }
    return out;
}
} // namespace

std::string EscapedText(const std::string& text) {
    return Escaped(text, false);
}

std::string EscapedAttribute(const std::string& text) {
    return Escaped(text, true);
}

} // namespace vantrel
