#pragma once
// What the Find window shows and does, apart from the window itself: the typed text, the
// items found for it, the selected row and what the keys do to it. An empty text shows no
// rows; nothing is remembered of earlier searches.

#include "find/EntrySearch.h"

#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// A few pages of the window: a user who has not seen the entry by then types another
// letter, which is quicker than scrolling on. It also bounds what a search keeps, and the
// rows whose pictures the window reads, whatever the number of matches in a large tree.
constexpr std::size_t FindRowLimit = 100;

extern const char* const NoEntriesMatch; // "No entries match"

// What a screen reader names a row: the caption as its menu shows it ("&" before a letter
// gone, "&&" a single "&"), then the groups that hold it: "Backup & Sync, Run > Tools".
std::string RowName(const MenuNode& entry);

enum class FindKey { Up, Down, PageUp, PageDown, Home, End };

class FindList {
  public:
    // Asks the code page for its case mapping; the tree is indexed at the first search.
    FindList(const Categories& tree, CodePageApi& codePage) : tree_(tree), fold_(codePage) {}

    // The window opens: no text, no rows, and the tree indexed now if it is not yet, so that
    // the keystrokes that follow only search.
    void Open();
    // The edit box's text, at each keystroke: searched at once, the first row selected.
    void SetText(std::string text);
    const std::string& Text() const { return text_; }

    // The rows, best first: each an item of the tree. Searched again first if the tree
    // changed since, so no row outlives its entry.
    const std::vector<FoundEntry>& Rows();
    // What shows in place of rows: "No entries match" for a text that finds nothing.
    std::string_view Notice();
    int Selection(); // -1: no row

    void Select(int row); // a click on a row
    // Moves the selection as a list box does, without wrapping; a page is `pageRows`, the
    // rows the window shows.
    void Press(FindKey key, int pageRows);
    // Esc clears the text; true when it was empty already, and the window closes.
    bool Escape();
    // Enter and Ctrl+C: the selected item's record; null without a selection.
    const LinkEntry* Chosen();

    std::size_t IndexedItems() const { return index_.Items().size(); }

  private:
    void Search();
    void Refresh();

    const Categories& tree_;
    CaseFold fold_;
    EntryIndex index_;
    std::string text_;
    std::vector<FoundEntry> rows_;
    int selection_ = -1;
    unsigned changes_ = 0; // the tree's change count when the rows were found
};

} // namespace vantrel
