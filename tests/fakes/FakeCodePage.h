#pragma once
// A code page like the Western ones: it holds the characters up to U+00FF, one byte each,
// and no others, with Latin-1's upper and lower case. Short paths are looked up in a table; a
// path without an entry has none. Of other code pages it knows 1252 and 28591, both read as
// this one; the system has no other. It has no lead bytes unless a test gives some: every
// code page it knows then has them, and a text ending in a lone one does not convert.

#include "platform/CodePageApi.h"

#include <map>

namespace vantrel::testing {

class FakeCodePage : public CodePageApi {
  public:
    std::map<std::string, std::string> shortPaths; // UTF-8 long path -> UTF-8 short path
    LeadByteTable leadBytes{};

    std::string AnsiToUtf8(const std::string& ansi) override;
    std::optional<std::string> Utf8ToAnsi(const std::string& utf8) override;
    std::optional<std::string> ShortPathOf(const std::string& utf8Path) override;
    std::string UpperCase(const std::string& ansi) override;
    std::optional<std::string> CodePageToUtf8(unsigned codePage,
                                              const std::string& bytes) override;
    LeadByteTable LeadBytes(unsigned) override { return leadBytes; }
};

} // namespace vantrel::testing
