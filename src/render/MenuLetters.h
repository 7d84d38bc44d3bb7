#pragma once
// What a letter typed into an open menu does. The rows are owner-drawn, so Windows cannot read
// their captions and asks the program; the answer follows Windows' own menus. A row's "&"
// mnemonic comes first: one row with it is chosen at once, several take turns being selected.
// Without such a row the first letter of a caption (leading blanks skipped) counts the same
// way. Letters compare without regard to case, by the code page's case mapping.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

class CodePageApi;

enum class LetterAction {
    Nothing, // no row answers to the letter
    Choose,  // the row runs as if clicked: a command runs, a submenu opens
    Select,  // the row is lit, nothing runs
};

struct LetterAnswer {
    LetterAction action = LetterAction::Nothing;
    std::size_t row = 0;
};

// rows: the captions of the menu's rows in order, "-" for a separator (never chosen);
// selected: the row lit now, if any; key: the typed character in code-page bytes.
LetterAnswer AnswerLetter(const std::vector<std::string_view>& rows,
                          std::optional<std::size_t> selected, const std::string& key,
                          CodePageApi& codePage);

} // namespace vantrel
