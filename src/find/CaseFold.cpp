#include "find/CaseFold.h"

#include <algorithm>
#include <cstring>

namespace vantrel {

namespace {

bool IsWordByte(unsigned char c) {
    return c >= 0x80 || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

unsigned char ClassOf(unsigned char upper) {
    constexpr unsigned char Letters = 26;
    if (upper >= 'A' && upper <= 'Z')
        return static_cast<unsigned char>(upper - 'A');
    return static_cast<unsigned char>(Letters + upper % 6);
}

constexpr unsigned Classes = 32;

constexpr std::uint64_t EveryByte = 0x0101010101010101;
constexpr std::uint64_t HighBits = 0x8080808080808080;

// Marks the bytes of `bytes` equal to the byte repeated in `pattern`; the lowest mark is
// always a true one.
std::uint64_t EqualBytes(std::uint64_t bytes, std::uint64_t pattern) {
    const std::uint64_t differ = bytes ^ pattern;
    return (differ - EveryByte) & ~differ & HighBits;
}

// Which byte holds the lowest mark; bytes are read in memory order, which on x86 puts the
// first in the lowest bits.
std::size_t LowestMarked(std::uint64_t marks) {
    return static_cast<std::size_t>(__builtin_ctzll(marks)) / 8;
}

// The first place in [from, end) holding `a` or `b`, eight bytes at a time; `end` if none.
std::size_t FirstOfEither(std::string_view text, std::size_t from, std::size_t end, unsigned char a,
                          unsigned char b) {
    const std::uint64_t patternA = EveryByte * a;
    const std::uint64_t patternB = EveryByte * b;
    std::size_t at = from;
    for (; at < end && at + 8 <= text.size(); at += 8) {
        std::uint64_t bytes;
        std::memcpy(&bytes, text.data() + at, sizeof bytes);
        if (const std::uint64_t marks = EqualBytes(bytes, patternA) | EqualBytes(bytes, patternB))
            return std::min(end, at + LowestMarked(marks));
    }
    for (; at < end; ++at)
        if (static_cast<unsigned char>(text[at]) == a || static_cast<unsigned char>(text[at]) == b)
            return at;
    return end;
}

} // namespace

CaseFold::CaseFold(CodePageApi& codePage) : leadBytes_(codePage.LeadBytes(AnsiCodePage)) {
    for (std::size_t byte = 0; byte < upper_.size(); ++byte) {
        // One byte per call: a whole row of bytes would be read in pairs by a double-byte
        // code page, mapping lead bytes with their neighbours. A lead byte stays itself, and
        // no other byte becomes one.
        const std::string folded = codePage.UpperCase(std::string(1, static_cast<char>(byte)));
        const bool keep =
            leadBytes_[byte] || folded.size() != 1 || IsLeadByte(leadBytes_, folded[0]);
        upper_[byte] =
            keep ? static_cast<unsigned char>(byte) : static_cast<unsigned char>(folded[0]);
        class_[byte] = ClassOf(upper_[byte]);
        inWord_[byte] = IsWordByte(static_cast<unsigned char>(byte));
        twoByte_ = twoByte_ || leadBytes_[byte];
    }
    // 1024 pairs of classes spread over 64 bits by Fibonacci hashing.
    for (std::uint32_t pair = 0; pair < pairBit_.size(); ++pair)
        pairBit_[pair] = static_cast<unsigned char>((pair * 0x9E3779B1u) >> 26);
}

std::string CaseFold::Upper(std::string_view text) const {
    std::string folded(text);
    for (std::size_t i = 0; i < folded.size(); ++i)
        if (IsLeadByte(leadBytes_, folded[i]))
            ++i; // a two-byte character stays as it is
        else
            folded[i] = static_cast<char>(Upper(folded[i]));
    return folded;
}

TextLetters CaseFold::LettersOf(std::string_view text, Sketch sketch) const {
    TextLetters sets;
    unsigned before = 0;
    bool inWord = false;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const auto byte = static_cast<unsigned char>(text[at]);
        const unsigned letter = class_[byte];
        sets.letters |= LetterOf(text[at]);
        if (sketch == Sketch::WordStarts && !inWord)
            sets.wordStarts |= LetterOf(text[at]);
        else if (at > 0)
            sets.pairs |= PairSet{1} << pairBit_[before * Classes + letter];
        before = letter;
        inWord = inWord_[byte];
    }
    return sets;
}

Needle CaseFold::NeedleOf(std::string_view word) const {
    Needle needle{Upper(word), {}};
    for (std::size_t byte = 0; byte < upper_.size(); ++byte)
        if (upper_[byte] == static_cast<unsigned char>(needle.upper[0]))
            needle.firstBytes += static_cast<char>(byte);
    return needle;
}

std::size_t CaseFold::Find(std::string_view text, const Needle& word, std::size_t from) const {
    const std::size_t length = word.upper.size();
    if (length == 0 || length > text.size())
        return std::string_view::npos;
    const std::size_t end = text.size() - length + 1; // past the last place it may start
    for (; from < end; ++from) {
        from = FirstFolded(text, from, end, word);
        if (from < end && MatchesAt(text, from, word.upper))
            return from;
    }
    return std::string_view::npos;
}

bool CaseFold::StartsWith(std::string_view text, std::string_view upperWord) const {
    return upperWord.size() <= text.size() && MatchesAt(text, 0, upperWord);
}

std::size_t CaseFold::FirstFolded(std::string_view text, std::size_t from, std::size_t end,
                                  const Needle& word) const {
    const std::string& bytes = word.firstBytes;
    if (bytes.size() <= 2)
        return FirstOfEither(text, from, end, static_cast<unsigned char>(bytes.front()),
                             static_cast<unsigned char>(bytes.back()));
    const auto first = static_cast<unsigned char>(word.upper[0]);
    while (from < end && Upper(text[from]) != first)
        ++from;
    return from;
}

bool CaseFold::MatchesAt(std::string_view text, std::size_t at, std::string_view upperWord) const {
    if (twoByte_)
        return WholeCharactersAt(text, at, upperWord);
    for (std::size_t i = 0; i < upperWord.size(); ++i)
        if (Upper(text[at + i]) != static_cast<unsigned char>(upperWord[i]))
            return false;
    return true;
}

// A lead byte, which folds to itself, is compared with the byte after it, which is not folded.
bool CaseFold::WholeCharactersAt(std::string_view text, std::size_t at,
                                 std::string_view upperWord) const {
    if (!StartsCharacter(text, at, leadBytes_))
        return false;
    for (std::size_t i = 0; i < upperWord.size(); ++i) {
        const char c = text[at + i];
        if (Upper(c) != static_cast<unsigned char>(upperWord[i]))
            return false;
        if (IsLeadByte(leadBytes_, c) && (++i == upperWord.size() || text[at + i] != upperWord[i]))
            return false;
    }
    return true;
}

bool CaseFold::StartsWord(std::string_view text, std::size_t at) const {
    return at == 0 || (!IsWordByte(static_cast<unsigned char>(text[at - 1])) &&
                       (!twoByte_ || StartsCharacter(text, at - 1, leadBytes_)));
}

} // namespace vantrel
