#include "find/FindList.h"

#include <algorithm>

namespace vantrel {

const char* const NoEntriesMatch = "No entries match";

std::string RowName(const MenuNode& entry) {
    std::string name;
    const std::string& caption = entry.caption;
    for (std::size_t at = 0; at < caption.size(); ++at) {
        if (caption[at] == '&' && ++at == caption.size())
            break;
        name += caption[at];
    }
    return name + ", " + GroupPath(entry);
}

void FindList::Open() {
    SetText({});
    index_.Update(tree_, fold_);
}

void FindList::SetText(std::string text) {
    text_ = std::move(text);
    Search();
    selection_ = rows_.empty() ? -1 : 0;
}

void FindList::Search() {
    rows_.clear();
    if (HasWords(text_)) {
        index_.Update(tree_, fold_);
        rows_ = SearchEntries(index_, fold_, text_, FindRowLimit);
    }
    changes_ = MenuNode::Changes();
}

// The selection stays on its row number, as far as the rows reach.
void FindList::Refresh() {
    if (changes_ == MenuNode::Changes())
        return;
    Search();
    selection_ = rows_.empty() ? -1 : std::clamp(selection_, 0, static_cast<int>(rows_.size()) - 1);
}

const std::vector<FoundEntry>& FindList::Rows() {
    Refresh();
    return rows_;
}

std::string_view FindList::Notice() {
    return Rows().empty() && HasWords(text_) ? NoEntriesMatch : "";
}

int FindList::Selection() {
    Refresh();
    return selection_;
}

void FindList::Select(int row) {
    if (row >= 0 && row < static_cast<int>(Rows().size()))
        selection_ = row;
}

void FindList::Press(FindKey key, int pageRows) {
    const int last = static_cast<int>(Rows().size()) - 1;
    if (last < 0)
        return;
    const int page = std::max(pageRows, 1);
    // In FindKey's order; Home and End move past either end.
    const int moves[] = {-1, 1, -page, page, -last - 1, last + 1};
    selection_ = std::clamp(selection_ + moves[static_cast<int>(key)], 0, last);
}

bool FindList::Escape() {
    if (text_.empty())
        return true;
    SetText({});
    return false;
}

const LinkEntry* FindList::Chosen() {
    const int row = Selection();
    return row < 0 ? nullptr : rows_[static_cast<std::size_t>(row)].node->Tag();
}

} // namespace vantrel
