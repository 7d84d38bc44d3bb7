#include "transfer/ImportSummary.h"

namespace vantrel {

namespace {
const char* const ReasonTexts[SkipReasonCount] = {
    "names the code page cannot hold",
    "paths or addresses longer than 260 characters",
    "no room left in a category (10,000 entries at most)",
    "folders nested more than 100 deep",
    "links to nothing",
    "addresses only a browser can open",
    "files that are not shortcuts",
    "folders that could not be read",
    "folders that lead back into themselves",
    "folders past the 10,000 an import reads",
};

std::string Counted(int count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// "names the code page cannot hold" for one reason; "2 names ..., 1 links to nothing" for more.
std::string Reasons(const ImportSummary& summary) {
    int kinds = 0;
    for (int count : summary.skipped)
        kinds += count > 0;
    std::string text;
    for (std::size_t i = 0; i < SkipReasonCount; ++i) {
        if (summary.skipped[i] == 0)
            continue;
        text += text.empty() ? "" : ", ";
        text += kinds > 1 ? std::to_string(summary.skipped[i]) + " " : "";
        text += ReasonTexts[i];
    }
    return text;
}
} // namespace

int ImportSummary::Skipped() const {
    int total = 0;
    for (int count : skipped)
        total += count;
    return total;
}

std::string ImportSummary::Text() const {
    if (entries == 0 && Skipped() == 0)
        return "Nothing to import: no shortcuts or links were found.";
    std::string text = entries == 0 ? std::string("No entries imported")
                                    : Counted(entries, "entry", "entries") + " imported into " +
                                          Counted(categories, "category", "categories");
    if (Skipped() > 0)
        text += "; " + std::to_string(Skipped()) + " skipped: " + Reasons(*this);
    return text;
}

} // namespace vantrel
