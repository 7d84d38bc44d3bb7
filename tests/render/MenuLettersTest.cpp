#include "render/MenuLetters.h"

#include "fakes/FakeCodePage.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

constexpr auto None = LetterAction::Nothing;
constexpr auto Choose = LetterAction::Choose;
constexpr auto Select = LetterAction::Select;

struct LetterCase {
    const char* what;
    std::vector<std::string_view> rows;
    std::optional<std::size_t> selected;
    std::string key;
    LetterAction action;
    std::size_t row;
};

TEST(MenuLettersTest, LettersChooseOrCycleAsInWindowsOwnMenus) {
    const std::vector<std::string_view> saves = {"&Save", "-", "&Send", "Copy"};
    const std::vector<std::string_view> rs = {"Reboot", "Run", "Shutdown", "Rename"};
    const LetterCase cases[] = {
        {"a unique mnemonic, in either case", {"&Open Link", "Copy Link"}, 0, "O", Choose, 0},
        {"a mnemonic before first letters", {"Open", "Cl&ose"}, std::nullopt, "o", Choose, 1},
        {"a shared mnemonic lights the first", saves, std::nullopt, "s", Select, 0},
        {"then the next after the lit row", saves, 0, "s", Select, 2},
        {"and round again", saves, 2, "s", Select, 0},
        {"a unique first letter", {"Home Page", "-", "Files", "Run"}, std::nullopt, "r", Choose, 3},
        {"shared first letters from the lit row", rs, 1, "r", Select, 3},
        {"past the last one, the first", rs, 3, "r", Select, 0},
        {"from a row without the letter", rs, 2, "R", Select, 3},
        {"leading blanks are skipped", {"  Notes", "Mail"}, std::nullopt, "n", Choose, 0},
        {"&& is no mnemonic", {"Tom && Jerry", "Joe"}, std::nullopt, "j", Choose, 1},
        {"&& shows &, a first letter", {"&&Co", "Cars"}, std::nullopt, "&", Choose, 0},
        {"é matches É", {"Mail", "\xC9tat"}, std::nullopt, "\xE9", Choose, 1},
        {"and an É mnemonic", {"Caf&\xE9", "Cab"}, std::nullopt, "\xC9", Choose, 0},
        {"no row has the letter", {"Home", "-", "Exit"}, 2, "z", None, 0},
        {"separators are no rows", {"Home", "-"}, std::nullopt, "-", None, 0},
    };
    testing::FakeCodePage codePage;
    for (const LetterCase& c : cases) {
        const LetterAnswer answer = AnswerLetter(c.rows, c.selected, c.key, codePage);
        EXPECT_EQ(answer.action, c.action) << c.what;
        EXPECT_EQ(answer.row, c.action == None ? 0 : c.row) << c.what;
    }
}

} // namespace
} // namespace vantrel
