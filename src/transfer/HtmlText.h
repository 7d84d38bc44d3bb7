#pragma once
// Text as HTML files hold it, bookmarks files among them: blanks, character references, the
// encodings a file may declare, and the escapes that make any text safe to write back.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// UTF-8's Windows code page number: text in it needs no conversion.
constexpr unsigned Utf8CodePage = 65001;

// Inline: a bookmarks file's every byte passes some of these.
inline bool IsHtmlSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

inline char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Without regard to the case of ASCII letters.
inline bool SameNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && UpperAscii(a[i]) != UpperAscii(b[i]))
            return false;
    return true;
}

std::size_t FindNoCase(std::string_view text, std::string_view what);

// The length of UTF-8 `text` without a character cut short at its end.
std::size_t WholeUtf8(std::string_view text);

// Character references decoded ("&amp;", "&#39;", "&#x1F600;"); one that names no character
// stays as written.
std::string DecodeReferences(std::string text);
// Line breaks and other control characters written into a title are blanks; blanks around
// it are layout, not part of it (a reference such as &#32; keeps one).
std::string AsTitle(std::string text);
// Control characters written into an address or another value are layout, dropped as
// browsers drop them from addresses (a reference such as &#9; keeps one).
std::string AsValue(std::string text);

// Markup characters as references; control characters too, which a reader takes for
// layout; in a text also the blanks at its ends, which a reader trims. What AsTitle or
// AsValue and DecodeReferences give back exactly.
std::string EscapedText(const std::string& text);
std::string EscapedAttribute(const std::string& text);

// The Windows code page of an encoding's label ("windows-1252", "utf-8", "Shift_JIS");
// empty for a label this program does not know.
std::optional<unsigned> CodePageOfLabel(std::string_view label);
// The label after "charset=" in a Content-Type value; empty when there is none.
std::string_view CharsetOfContentType(std::string_view content);

} // namespace vantrel
