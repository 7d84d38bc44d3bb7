#pragma once
// Between the program's narrow texts and the system's UTF-16: the wide functions are the
// only ones that reach every path, whatever the user's name.

#include "platform/CodePageApi.h"
#include "win32/WinHeaders.h"

#include <optional>
#include <string>

namespace vantrel::win32 {

std::wstring Widen(const std::string& text, TextEncoding encoding);
inline std::wstring WidenUtf8(const std::string& utf8) { return Widen(utf8, TextEncoding::Utf8); }
// UTF-8 of `length` UTF-16 units.
std::string ToUtf8(const wchar_t* text, std::size_t length);
inline std::string ToUtf8(const std::wstring& text) { return ToUtf8(text.data(), text.size()); }
// The code page's bytes for the text; empty when a character has no exact counterpart.
std::optional<std::string> ToAnsiExactly(const std::wstring& text);

// What a call that fills a buffer of `capacity` units wrote: its length, or 0 when it failed
// or needed more room (such calls then report the size they would need).
std::optional<std::string> FittedUtf8(const wchar_t* buffer, DWORD length, DWORD capacity);

class Win32CodePage final : public CodePageApi {
  public:
    std::string AnsiToUtf8(const std::string& ansi) override;
    std::optional<std::string> Utf8ToAnsi(const std::string& utf8) override;
    std::optional<std::string> ShortPathOf(const std::string& utf8Path) override;
    std::string UpperCase(const std::string& ansi) override;
    std::optional<std::string> CodePageToUtf8(unsigned codePage,
                                              const std::string& bytes) override;
    LeadByteTable LeadBytes(unsigned codePage) override;
};

} // namespace vantrel::win32
