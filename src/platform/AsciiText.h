#pragma once
// Small text helpers for names people type into files (settings, key names), where only
// ASCII letters and blanks are told apart; every other byte is compared as it is.

#include <string_view>

namespace vantrel {

// Without the blanks (spaces, tabs) before and after it.
std::string_view TrimBlanks(std::string_view text);
// Equal when ASCII letters are compared without case.
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);

} // namespace vantrel
