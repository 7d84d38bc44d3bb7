#pragma once
// What an import brought in and what it left out, and why, as the user is told at the end.

#include <array>
#include <cstddef>
#include <string>

namespace vantrel {

enum class SkipReason {
    NotInCodePage, // a name or text the code page cannot hold and that has no short path
    TooLong,       // a path, address, parameter or work folder over 260 bytes
    CategoryFull,  // the category already holds 10,000 entries
    TooDeep,       // nested deeper than the configuration keeps (100 levels)
    NoTarget,      // a link to nothing
    BrowserOnly,   // javascript:, place: and data: addresses
    NotAShortcut,  // a .lnk file the shell cannot read
    UnreadableFolder,
    Loop,           // a folder reached a second time through a junction or a symbolic link
    TooManyFolders, // past the 10,000 folders an import reads
};
constexpr std::size_t SkipReasonCount = 10;

struct ImportSummary {
    int entries = 0;    // groups and items created
    int categories = 0; // categories that received any
    std::array<int, SkipReasonCount> skipped{};

    void Skip(SkipReason reason, int count = 1) {
        skipped[static_cast<std::size_t>(reason)] += count;
    }
    int Skipped() const;
    // "231 entries imported into 3 categories; 2 skipped: names the code page cannot hold".
    std::string Text() const;
};

} // namespace vantrel
