#pragma once
// The two encodings the program's texts travel in. The configuration's strings are bytes of
// the system's ANSI code page, as stored files have always held them. Paths the system hands
// the program (its own file, the special folders, a picker's choice) travel as UTF-8: the
// code page may not hold a user's name, and a "?" in its place names another folder.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

enum class TextEncoding { Ansi, Utf8 };

// The code page number that stands for the system's ANSI code page, the one of the
// configuration's texts (CP_ACP).
constexpr unsigned AnsiCodePage = 0;

// Which bytes start a two-byte character in a code page: the lead bytes of the double-byte
// ones (932, 936, 949, 950); none in the single-byte ones. The byte after a lead byte is the
// second half of its character whatever its value: it may look like an ASCII letter, a mark
// or a backslash, and is never a character of its own. Indexed by the byte as unsigned char.
using LeadByteTable = std::array<bool, 256>;
inline constexpr LeadByteTable NoLeadBytes{}; // a single-byte code page

inline bool IsLeadByte(const LeadByteTable& leadBytes, char c) {
    return leadBytes[static_cast<unsigned char>(c)];
}
// Whether a character starts at `at` rather than in the second byte of a two-byte one; at
// the text's end, whether its last character is whole. Reads back only over the lead bytes
// just before `at`.
bool StartsCharacter(std::string_view text, std::size_t at, const LeadByteTable& leadBytes);
// The length of the longest start of `text` of at most `limit` bytes that does not end in
// the middle of a character (nor in a lone lead byte at the text's end).
std::size_t CharacterCut(std::string_view text, std::size_t limit, const LeadByteTable& leadBytes);

class CodePageApi {
  public:
    virtual ~CodePageApi() = default;
    virtual std::string AnsiToUtf8(const std::string& ansi) = 0;
    // Empty when the code page has no exact counterpart for a character (no best fit: an
    // "a" for an "ä" would name another file).
    virtual std::optional<std::string> Utf8ToAnsi(const std::string& utf8) = 0;
    // The path's short (8.3) form, which the system builds from plain characters; empty
    // when the path does not exist or the volume keeps no short names.
    virtual std::optional<std::string> ShortPathOf(const std::string& utf8Path) = 0;
    // Code-page text with its letters in upper case, by the code page's own case mapping
    // ("é" becomes "É" in the Western ones); other characters stay as they are.
    virtual std::string UpperCase(const std::string& ansi) = 0;
    // Text of another code page (a Windows code page number: 1252, 28592, 932...) in UTF-8;
    // empty when the system has no such code page or the bytes are not valid in it.
    virtual std::optional<std::string> CodePageToUtf8(unsigned codePage,
                                                      const std::string& bytes) = 0;
    // The lead bytes of a code page (a Windows code page number, or AnsiCodePage); none when
    // the system has no such code page.
    virtual LeadByteTable LeadBytes(unsigned codePage) = 0;
};

// A path from the system on its way into an entry: in the code page when it holds every
// character, else by its short form when that converts, else nothing.
std::optional<std::string> StorablePath(const std::string& utf8Path, CodePageApi& codePage);

} // namespace vantrel
