#include "find/EntrySearch.h"

#include "find/ReadAhead.h"

#include <algorithm>
#include <array>
#include <optional>
#include <tuple>

namespace vantrel {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

struct Word {
    Needle needle;
    LetterSet letters = 0;
    PairSet pairs = 0;
};

struct Query {
    std::vector<Word> words;
    LetterSet firstLetters = 0; // of the words' first bytes
    std::string whole;          // folded, the words joined by single blanks
};

// Longer than any text of an entry: what is typed past it cannot make a search better, only
// slower, word by word.
constexpr std::size_t TypedTextLimit = 260;

bool Holds(const Query& query, const std::string& upper) {
    return std::any_of(query.words.begin(), query.words.end(),
                       [&](const Word& word) { return word.needle.upper == upper; });
}

// A word typed twice is looked for once; the whole text keeps it twice.
Query QueryOf(std::string_view text, const CaseFold& fold) {
    Query query;
    text = text.substr(0, CharacterCut(text, TypedTextLimit, fold.LeadBytes()));
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = at;
        while (end < text.size() && !IsBlank(text[end]))
            ++end;
        if (end > at) {
            const std::string_view typed = text.substr(at, end - at);
            Needle needle = fold.NeedleOf(typed);
            query.whole += (query.whole.empty() ? "" : " ") + needle.upper;
            if (!Holds(query, needle.upper)) {
                const TextLetters letters = fold.LettersOf(typed, Sketch::Pairs);
                query.words.push_back({std::move(needle), letters.letters, letters.pairs});
                query.firstLetters |= fold.LetterOf(typed[0]);
            }
        }
        at = end + 1;
    }
    return query;
}

// Whether a caption whose first two folded bytes are `start` may start with the folded text.
bool MayStartWith(std::uint16_t start, std::string_view text) {
    if (static_cast<unsigned char>(text[0]) != start >> 8)
        return false;
    return text.size() < 2 || static_cast<unsigned char>(text[1]) == (start & 0xFF);
}

enum class InCaption { Not, Inside, AtWordStart };

InCaption Where(std::string_view caption, const Needle& word, const CaseFold& fold) {
    std::size_t at = fold.Find(caption, word);
    if (at == std::string_view::npos)
        return InCaption::Not;
    for (; at != std::string_view::npos; at = fold.Find(caption, word, at + 1))
        if (fold.StartsWord(caption, at))
            return InCaption::AtWordStart;
    return InCaption::Inside;
}

bool Before(const FoundEntry& a, const FoundEntry& b) {
    return std::tie(a.rank, a.captionLength, a.position) <
           std::tie(b.rank, b.captionLength, b.position);
}

// The best items offered so far, at most `limit` (not 0), kept as a heap with the worst on
// top.
class Ranking {
  public:
    Ranking(const Query& query, const CaseFold& fold, std::size_t limit)
        : query_(query), fold_(fold), limit_(limit) {}

    // The best rank the item's letters allow, when an item so ranked would be kept.
    std::optional<MatchRank> Worth(const IndexedItem& item, std::uint32_t position) const {
        const std::optional<MatchRank> best = BestPossible(item);
        if (best && Beats(*best, item.captionLength, position))
            return best;
        return std::nullopt;
    }
    // Whether the target may have to be read: some word may be found only there.
    bool MayReadTarget(const IndexedItem& item, std::uint32_t position) const {
        if (!Beats(MatchRank::TargetHolds, item.captionLength, position))
            return false;
        return std::any_of(query_.words.begin(), query_.words.end(),
                           [&](const Word& word) { return MayBeInTarget(item, word); });
    }
    // Reads the item's texts and keeps it if it matches and ranks among the best; `worth` is
    // what Worth said of it earlier.
    void Offer(const IndexedItem& item, std::uint32_t position, MatchRank worth);
    std::vector<FoundEntry> Best() {
        std::sort_heap(best_.begin(), best_.end(), Before);
        return std::move(best_);
    }

  private:
    // Whether an item ranked so would be kept.
    bool Beats(MatchRank rank, std::uint32_t length, std::uint32_t position) const {
        return best_.size() < limit_ || Before({nullptr, rank, length, position}, best_.front());
    }
    std::optional<MatchRank> BestPossible(const IndexedItem& item) const;
    static bool MayBeInTarget(const IndexedItem& item, const Word& word) {
        return (word.letters & ~item.target) == 0 && (word.pairs & ~item.targetPairs) == 0;
    }
    // The target is read only when a word is not in the caption.
    std::optional<MatchRank> RankOf(std::string_view caption, const LinkEntry& record,
                                    bool targetCounts) const;

    const Query& query_;
    const CaseFold& fold_;
    std::size_t limit_;
    std::vector<FoundEntry> best_;
};

void Ranking::Offer(const IndexedItem& item, std::uint32_t position, MatchRank worth) {
    // Those kept may have grown better since.
    if (!Beats(worth, item.captionLength, position))
        return;
    const std::string_view caption = item.node->caption;
    const auto length = static_cast<std::uint32_t>(caption.size());
    const std::optional<MatchRank> rank =
        RankOf(caption, *item.record, Beats(MatchRank::TargetHolds, length, position));
    if (!rank || !Beats(*rank, length, position))
        return;
    if (best_.size() == limit_) {
        std::pop_heap(best_.begin(), best_.end(), Before);
        best_.pop_back();
    }
    best_.push_back({item.node, *rank, length, position});
    std::push_heap(best_.begin(), best_.end(), Before);
}

// The best rank the item's letters allow; empty when they rule out a match.
std::optional<MatchRank> Ranking::BestPossible(const IndexedItem& item) const {
    bool inCaption = true;
    for (const Word& word : query_.words) {
        if ((word.letters & ~item.caption) == 0)
            continue;
        if (!MayBeInTarget(item, word))
            return std::nullopt;
        inCaption = false;
    }
    if (!inCaption)
        return MatchRank::TargetHolds;
    if (MayStartWith(item.captionStart, query_.whole))
        return MatchRank::CaptionStarts;
    if ((query_.firstLetters & ~item.wordStarts) == 0)
        return MatchRank::WordsStart;
    return MatchRank::CaptionHolds;
}

std::optional<MatchRank> Ranking::RankOf(std::string_view caption, const LinkEntry& record,
                                         bool targetCounts) const {
    bool everyWordStarts = true;
    bool targetNeeded = false;
    for (const Word& word : query_.words) {
        const InCaption where = Where(caption, word.needle, fold_);
        everyWordStarts = everyWordStarts && where == InCaption::AtWordStart;
        if (where != InCaption::Not)
            continue;
        if (!targetCounts || fold_.Find(record.target, word.needle) == std::string_view::npos)
            return std::nullopt;
        targetNeeded = true;
    }
    if (targetNeeded)
        return MatchRank::TargetHolds;
    if (fold_.StartsWith(caption, query_.whole))
        return MatchRank::CaptionStarts;
    return everyWordStarts ? MatchRank::WordsStart : MatchRank::CaptionHolds;
}

// One pass over the index, reading ahead what Offer will read: an item's node and record
// `Ahead` items before it is offered, its texts half way. Whether an item is worth reading
// is decided once, when it is first looked at.
class Scan {
  public:
    static constexpr std::uint32_t Ahead = ReadAhead;

    Scan(const std::vector<IndexedItem>& items, Ranking& ranking)
        : items_(items), ranking_(ranking), count_(static_cast<std::uint32_t>(items.size())) {}

    void Run() {
        for (std::uint32_t i = 0; i < count_ + Ahead; ++i) {
            if (i >= Ahead)
                Read(i - Ahead); // before Look(i) takes over its plan
            if (i >= Ahead / 2 && i - Ahead / 2 < count_)
                FetchTexts(i - Ahead / 2);
            if (i < count_)
                Look(i);
        }
    }

  private:
    struct Plan {
        std::optional<MatchRank> worth;
        bool target = false;
    };

    void Look(std::uint32_t i) {
        const IndexedItem& item = items_[i];
        Plan& plan = plans_[i % Ahead];
        plan.worth = ranking_.Worth(item, i);
        plan.target = plan.worth && ranking_.MayReadTarget(item, i);
        if (plan.worth)
            Prefetch(item.node);
        if (plan.target)
            Prefetch(item.record);
    }
    [[gnu::always_inline]] void FetchTexts(std::uint32_t i) { // only prefetches
        const Plan& plan = plans_[i % Ahead];
        if (plan.worth)
            Prefetch(items_[i].node->caption.data());
        if (plan.target)
            Prefetch(items_[i].record->target.data());
    }
    void Read(std::uint32_t i) {
        const Plan& plan = plans_[i % Ahead];
        if (i < count_ && plan.worth)
            ranking_.Offer(items_[i], i, *plan.worth);
    }

    const std::vector<IndexedItem>& items_;
    Ranking& ranking_;
    std::uint32_t count_;
    std::array<Plan, Ahead> plans_{};
};

} // namespace

std::vector<FoundEntry> SearchEntries(const EntryIndex& index, const CaseFold& fold,
                                      std::string_view text, std::size_t limit) {
    const Query query = QueryOf(text, fold);
    if (query.words.empty() || limit == 0)
        return {};
    Ranking ranking(query, fold, limit);
    Scan(index.Items(), ranking).Run();
    return ranking.Best();
}

bool HasWords(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return !IsBlank(c); });
}

std::string GroupPath(const MenuNode& entry) {
    std::string path;
    for (const MenuNode* up = entry.Parent(); up; up = up->Parent()) {
        path.insert(0, up->caption + (path.empty() ? "" : " > "));
        if (!up->Tag())
            break; // the category
    }
    return path;
}

} // namespace vantrel
