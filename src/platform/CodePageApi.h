#pragma once
// The two encodings the program's texts travel in. The configuration's strings are bytes of
// the system's ANSI code page, as stored files have always held them. Paths the system hands
// the program (its own file, the special folders, a picker's choice) travel as UTF-8: the
// code page may not hold a user's name, and a "?" in its place names another folder.

#include <optional>
#include <string>

namespace vantrel {

enum class TextEncoding { Ansi, Utf8 };

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
};

// A path from the system on its way into an entry: in the code page when it holds every
// character, else by its short form when that converts, else nothing.
std::optional<std::string> StorablePath(const std::string& utf8Path, CodePageApi& codePage);

} // namespace vantrel
