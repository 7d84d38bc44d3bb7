#include "render/MenuLetters.h"

#include "platform/CodePageApi.h"

namespace vantrel {

namespace {
// The caption from the character its "&" underlines; empty without one ("&&" shows "&").
std::string_view MnemonicPart(std::string_view caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] != '&')
            return caption.substr(i + 1);
        ++i;
    }
    return {};
}

// The caption as shown from its first character that is not a blank.
std::string_view ShownPart(std::string_view caption) {
    const std::size_t first = caption.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    caption.remove_prefix(first);
    // "&x" shows x underlined, "&&" shows "&".
    if (caption.size() > 1 && caption[0] == '&')
        caption.remove_prefix(1);
    return caption;
}

using PartOf = std::string_view (*)(std::string_view);

std::vector<std::size_t> Matches(const std::vector<std::string_view>& rows, PartOf part,
                                 const std::string& upperKey, CodePageApi& codePage) {
    std::vector<std::size_t> matches;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i] == "-")
            continue;
        const std::string_view text = part(rows[i]);
        // A letter of several bytes (a double-byte code page) is compared whole.
        if (text.size() >= upperKey.size() &&
            codePage.UpperCase(std::string(text.substr(0, upperKey.size()))) == upperKey)
            matches.push_back(i);
    }
    return matches;
}

LetterAnswer Answer(const std::vector<std::size_t>& matches, std::optional<std::size_t> selected) {
    if (matches.size() == 1)
        return {LetterAction::Choose, matches.front()};
    // Each press lights the next of them after the lit row, round to the first.
    for (const std::size_t row : matches)
        if (!selected || row > *selected)
            return {LetterAction::Select, row};
    return {LetterAction::Select, matches.front()};
}
} // namespace

LetterAnswer AnswerLetter(const std::vector<std::string_view>& rows,
                          std::optional<std::size_t> selected, const std::string& key,
                          CodePageApi& codePage) {
    if (key.empty())
        return {};
    const std::string upperKey = codePage.UpperCase(key);
    for (const PartOf part : {&MnemonicPart, &ShownPart}) {
        const std::vector<std::size_t> matches = Matches(rows, part, upperKey, codePage);
        if (!matches.empty())
            return Answer(matches, selected);
    }
    return {};
}

} // namespace vantrel
