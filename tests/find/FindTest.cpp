// Find: which items a text finds and in which order, following the tree as it changes, and
// what the keys do to the selection.
#include "app/MenuLayout.h"
#include "editors/AddEditFlow.h"
#include "editors/AddNetworkDialog.h"
#include "fakes/FakeCodePage.h"
#include "find/FindList.h"
#include "tree/Entries.h"
#include "tree/EntryActions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <tuple>

namespace vantrel {
namespace {

struct FindTest : ::testing::Test {
    testing::FakeCodePage codePage; // Latin-1: "\xE9" is "é", "\xC9" is "É"
    MainMenuLayout menu = BuildPopupMenuMain();
    FindList list{menu.categories, codePage};

    MenuNode& Add(MenuNode& parent, std::string title, std::string target = "t",
                  std::uint8_t kind = LinkKindFile) {
        return CreateItemEntry(parent, ItemFields{title, target, "", "", 0, kind, 1});
    }
    // The captions found for the text, best first, joined by "|".
    std::string Found(const std::string& text) { return FoundIn(list, text); }
    static std::string FoundIn(FindList& in, const std::string& text) {
        in.SetText(text);
        std::string found;
        for (const FoundEntry& row : in.Rows())
            found += (found.empty() ? "" : "|") + row.node->caption;
        return found;
    }
};

TEST_F(FindTest, WordsCaseCaptionsTargetsAndOrder) {
    const Categories& tree = menu.categories;
    MenuNode& reports = CreateGroupEntry(*tree.files, "Reports", LinkKindFile, 0);
    Add(reports, "Quarterly Report", "C:\\Docs\\q.xlsx");
    Add(reports, "Report", "C:\\Docs\\r.doc");
    Add(*tree.files, "Caf\xE9 menu", "C:\\menu.pdf");
    Add(*tree.files, "Notes A");
    Add(*tree.internet, "The Report Site", "http://reports.example.com", LinkKindInternet);
    Add(*tree.internet, "Notes B", "http://notes.example.com", LinkKindInternet);
    Add(*tree.applications, "Notepad++", "C:\\Tools\\npp.exe", LinkKindApplication);
    Add(*tree.applications, "Notepad", "notepad.exe", LinkKindApplication);
    Add(*tree.applications, "Paint", "mspaint.exe", LinkKindApplication);
    Add(*tree.run, "Ping host", "cmd /K ping report-server", LinkKindRun);
    const struct {
        std::string text;
        const char* found;
    } cases[] = {
        // Caption starts, a word starts, and only the target holds it; the group is no result.
        {"report", "Report|The Report Site|Quarterly Report|Ping host"},
        {"reports", "The Report Site"},
        // Inside the caption; a shorter caption first; equal ones in the main menu's order.
        {"pad", "Notepad|Notepad++"},
        {"NOTE", "Notes A|Notes B|Notepad|Notepad++"},
        // Every word must be found, in any order; the whole text counts for "starts".
        {"  rep   qua ", "Quarterly Report"},
        {"the rep", "The Report Site"},
        {"site the", "The Report Site"},
        {"ping server", "Ping host"},
        {"ping nowhere", ""},
        // The code page's case, and a caption that holds the text beats its target.
        {"caf\xC9", "Caf\xE9 menu"},
        {"CAF\xE9 M", "Caf\xE9 menu"},
        {"paint", "Paint"},
        {"xlsx", "Quarterly Report"},
        {"", ""},
        {" \t ", ""},
        // Text typed past what any entry holds is not searched.
        {"paint" + std::string(260, ' ') + "nowhere", "Paint"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Found(c.text), c.found) << '"' << c.text << '"';
}

TEST_F(FindTest, PathsNameTheCategoryAndGroups) {
    MenuNode& tools =
        CreateGroupEntry(*menu.categories.applications, "Tools", LinkKindApplication, 0);
    MenuNode& deep = CreateGroupEntry(tools, "Deep", LinkKindApplication, 0);
    EXPECT_EQ(GroupPath(Add(deep, "Calc")), "Applications > Tools > Deep");
    EXPECT_EQ(GroupPath(Add(*menu.categories.run, "Ping")), "Run");
    // A screen reader reads a row as the menu shows it, then where it lives.
    EXPECT_EQ(RowName(Add(deep, "Backup && &Sync&")), "Backup & Sync, Applications > Tools > Deep");
}

// An entry added, renamed, moved or deleted is found as it is at the next keystroke, and
// rows kept from before never outlive their entry.
TEST_F(FindTest, FollowsTheTree) {
    MenuNode& share = *menu.categories.network;
    EXPECT_EQ(Found("zebra"), "");
    MenuNode& zebra = Add(share, "Zebra", "\\\\srv\\z", LinkKindNetwork);
    EXPECT_EQ(list.Rows().size(), 1u);
    // Opening an entry's submenu and rows made for the generated menus change no entry.
    const unsigned changes = MenuNode::Changes();
    zebra.Count();
    menu.disks->Append("C:", 0).SetTag(std::make_unique<LinkEntry>());
    menu.disks->Clear();
    EXPECT_EQ(MenuNode::Changes(), changes);

    TFormAddNetwork dialog;
    const EntryDialogMode& mode = PrepareForEdit(dialog, *zebra.Tag());
    dialog.SetText("Edit1", "Horse B");
    ASSERT_TRUE(StoreEdit(dialog, mode, zebra));
    EXPECT_EQ(Found("zebra"), "");
    EXPECT_EQ(Found("horse"), "Horse B");

    MenuNode& horse = Add(share, "Horse A", "\\\\srv\\a", LinkKindNetwork);
    EXPECT_EQ(Found("horse"), "Horse B|Horse A");
    MoveEntryDown(zebra);
    EXPECT_EQ(Found("horse"), "Horse A|Horse B");

    list.Select(1);
    DeleteEntry(zebra);
    EXPECT_EQ(list.Selection(), 0);
    ASSERT_NE(list.Chosen(), nullptr);
    EXPECT_EQ(list.Chosen()->title, "Horse A");
    DeleteEntry(horse);
    EXPECT_EQ(list.Chosen(), nullptr);
    EXPECT_EQ(list.Notice(), NoEntriesMatch);

    Add(share, "Horse C", "\\\\srv\\c", LinkKindNetwork);
    EXPECT_EQ(Found("horse"), "Horse C");
    const auto taken = share.TakeChildren(); // entries handed over count as a change too
    EXPECT_TRUE(list.Rows().empty());
}

// In a double-byte code page ("\x83" a lead byte, as in 932) a character's second byte is
// never a letter of its own: "\x83\x41" and "\x83\x61" are two characters, not one in two
// cases, and a character after a two-byte one does not start a word.
TEST_F(FindTest, TwoByteCharactersAreComparedWhole) {
    codePage.leadBytes[0x83] = true;
    FindList inDoubleBytes(menu.categories, codePage);
    for (const char* caption : {"\x83\x41", "\x83\x61", "\x83\\c", "xx c", "Ab"})
        Add(*menu.categories.files, caption);
    const struct {
        const char* text;
        const char* found;
    } cases[] = {
        {"\x83\x41", "\x83\x41"}, // the second byte as it is
        {"\x83\x61", "\x83\x61"},
        {"a", "Ab"},           // not in the middle of a character
        {"\\", ""},            // nor a second byte that looks like a mark
        {"c", "xx c|\x83\\c"}, // a word starts after a mark, not after a character
    };
    for (const auto& c : cases)
        EXPECT_EQ(FoundIn(inDoubleBytes, c.text), c.found) << '"' << c.text << '"';
}

TEST_F(FindTest, KeysMoveTheSelectionAndEscClearsThenCloses) {
    for (int i = 0; i < 12; ++i)
        Add(*menu.categories.files, "Item " + std::to_string(10 + i));
    const FindKey Up = FindKey::Up, Down = FindKey::Down, PageUp = FindKey::PageUp,
                  PageDown = FindKey::PageDown, Home = FindKey::Home, End = FindKey::End;
    const struct {
        std::vector<FindKey> keys;
        int page;
        int selection;
    } cases[] = {
        {{}, 5, 0},
        {{Down, Down, Down}, 5, 3},
        {{Up}, 5, 0},
        {{End}, 5, 11},
        {{End, Down}, 5, 11},
        {{End, Up}, 5, 10},
        {{PageDown}, 5, 5},
        {{PageDown, PageDown, PageDown}, 5, 11},
        {{End, PageUp}, 5, 6},
        {{End, PageUp, PageUp, PageUp}, 5, 0},
        {{End, Home}, 5, 0},
        {{PageDown}, 0, 1},
    };
    for (const auto& c : cases) {
        list.SetText("item");
        for (const FindKey key : c.keys)
            list.Press(key, c.page);
        EXPECT_EQ(list.Selection(), c.selection) << c.keys.size() << " keys, page " << c.page;
        EXPECT_EQ(list.Chosen()->title, "Item " + std::to_string(10 + c.selection));
    }
    list.Select(7);
    list.Select(12); // no such row: stays
    EXPECT_EQ(list.Selection(), 7);

    EXPECT_EQ(list.Notice(), "");
    EXPECT_FALSE(list.Escape());
    EXPECT_EQ(list.Text(), "");
    EXPECT_TRUE(list.Rows().empty());
    EXPECT_EQ(list.Notice(), "");
    list.Press(FindKey::Down, 5);
    EXPECT_EQ(list.Selection(), -1);
    EXPECT_EQ(list.Chosen(), nullptr);
    EXPECT_TRUE(list.Escape());
}

// Over a large random tree, the search and its shortcuts (letters ruling items out, ranks
// no longer good enough to be kept, words looked for eight bytes at a time) find exactly
// what comparing every caption and target in full finds.
TEST_F(FindTest, FindsWhatAFullComparisonFinds) {
    std::mt19937 random(27);
    const std::string letters = "abcdefgAB \xE9\xC9-x1.";
    auto text = [&](std::size_t most) {
        std::string made(random() % (most + 1), ' ');
        for (char& c : made)
            c = letters[random() % letters.size()];
        return made;
    };
    for (int i = 0; i < 2000; ++i)
        Add(*menu.categories.InMenuOrder()[random() % 5], text(i % 2 ? 6 : 24),
            text(i % 3 ? 6 : 40));
    std::vector<const MenuNode*> inTreeOrder;
    for (const MenuNode* category : menu.categories.InMenuOrder())
        for (std::size_t i = 2; i < category->Count(); ++i)
            inTreeOrder.push_back(&category->Child(i));

    const CaseFold fold(codePage);
    EntryIndex index;
    index.Update(menu.categories, fold);
    for (int round = 0; round < 200; ++round) {
        const std::string query = text(4) + (round % 3 ? "" : " " + text(2));
        const std::size_t limit = round % 2 ? 100 : 7;
        std::vector<std::tuple<int, std::size_t, std::size_t>> expected; // rank, length, place
        std::vector<std::string> words;
        for (std::size_t at = 0; (at = query.find_first_not_of(' ', at)) != std::string::npos;) {
            const std::size_t end = std::min(query.find(' ', at), query.size());
            words.push_back(codePage.UpperCase(query.substr(at, end - at)));
            at = end;
        }
        std::string whole;
        for (const std::string& word : words)
            whole += (whole.empty() ? "" : " ") + word;
        for (std::size_t place = 0; place < inTreeOrder.size() && !words.empty(); ++place) {
            const std::string caption = codePage.UpperCase(inTreeOrder[place]->caption);
            const std::string target = codePage.UpperCase(inTreeOrder[place]->Tag()->target);
            bool all = true, starts = true, matches = true;
            for (const std::string& word : words) {
                bool atStart = false;
                for (std::size_t at = caption.find(word); at != std::string::npos;
                     at = caption.find(word, at + 1))
                    atStart = atStart || at == 0 ||
                              (static_cast<unsigned char>(caption[at - 1]) < 0x80 &&
                               !std::isalnum(static_cast<unsigned char>(caption[at - 1])));
                const bool inCaption = caption.find(word) != std::string::npos;
                all = all && inCaption;
                starts = starts && atStart;
                matches = matches && (inCaption || target.find(word) != std::string::npos);
            }
            if (matches)
                expected.emplace_back(!all                           ? 3
                                      : caption.rfind(whole, 0) == 0 ? 0
                                      : starts                       ? 1
                                                                     : 2,
                                      caption.size(), place);
        }
        std::sort(expected.begin(), expected.end());
        expected.resize(std::min(expected.size(), limit));
        const std::vector<FoundEntry> found = SearchEntries(index, fold, query, limit);
        ASSERT_EQ(found.size(), expected.size()) << '"' << query << '"';
        for (std::size_t i = 0; i < found.size(); ++i) {
            EXPECT_EQ(static_cast<int>(found[i].rank), std::get<0>(expected[i])) << '"' << query;
            EXPECT_EQ(found[i].node, inTreeOrder[std::get<2>(expected[i])]) << '"' << query;
        }
    }
}

} // namespace
} // namespace vantrel
