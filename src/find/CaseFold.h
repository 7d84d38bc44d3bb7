#pragma once
// Comparing code-page texts without regard to case, the way the user's code page maps its
// letters ("é" and "É" are one letter in the Western ones). The mapping is asked of the
// system once, a byte at a time, and kept as a table of 256 bytes.
//
// In double-byte code pages a two-byte character is compared as it is, its case unfolded:
// its second byte may look like a letter ("\x83\x41" and "\x83\x61" are two characters of
// code page 932, not one in two cases), and a word is found only where a character starts.

#include "platform/CodePageApi.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vantrel {

// A word to look for: folded, with every byte that folds to its first one. A search looks
// for those first, eight bytes at a time when there are one or two (an ASCII letter, a
// digit, most letters of the code page), and compares the rest only there.
struct Needle {
    std::string upper;
    std::string firstBytes;
};

// What an index keeps of a text in place of the text: which classes of letters, and of
// pairs of neighbouring letters, it holds. Each of A to Z is a class of its own, every other
// byte falls in one of six shared ones, by its folded form. A text that lacks a class of a
// word cannot hold the word; one that has them all may.
using LetterSet = std::uint32_t;
using PairSet = std::uint64_t;
struct TextLetters {
    LetterSet letters = 0;
    LetterSet wordStarts = 0; // the letters that start its words
    PairSet pairs = 0;
};
enum class Sketch { WordStarts, Pairs }; // which of the two a text's letters come with

class CaseFold {
  public:
    explicit CaseFold(CodePageApi& codePage);

    unsigned char Upper(char c) const { return upper_[static_cast<unsigned char>(c)]; }
    std::string Upper(std::string_view text) const;
    LetterSet LetterOf(char c) const {
        return LetterSet{1} << class_[static_cast<unsigned char>(c)];
    }
    // The text's letters, with the word starts or the pairs (only one: it takes half as
    // long, and captions are asked for the first, targets for the second).
    TextLetters LettersOf(std::string_view text, Sketch sketch) const;

    // The word, which must not be empty, folded.
    Needle NeedleOf(std::string_view word) const;
    // Where the word first occurs in `text` at or after `from`, whatever the case of `text`;
    // npos when nowhere.
    std::size_t Find(std::string_view text, const Needle& word, std::size_t from = 0) const;
    bool StartsWith(std::string_view text, std::string_view upperWord) const;
    // Whether a word of the text starts at `at`, a character's start: at the text's start, or
    // after a blank or a mark. Bytes above 0x7F are letters of the code page as far as words
    // go, and so is a two-byte character whatever its second byte.
    bool StartsWord(std::string_view text, std::size_t at) const;
    const LeadByteTable& LeadBytes() const { return leadBytes_; }

  private:
    // The first place in [from, end) whose byte folds to the word's first; `end` if none.
    std::size_t FirstFolded(std::string_view text, std::size_t from, std::size_t end,
                            const Needle& word) const;
    // Whether the folded word is at `at`; in a double-byte code page, in whole characters.
    bool MatchesAt(std::string_view text, std::size_t at, std::string_view upperWord) const;
    bool WholeCharactersAt(std::string_view text, std::size_t at, std::string_view upperWord) const;

    LeadByteTable leadBytes_; // of the code page; their characters are never folded
    bool twoByte_ = false;    // it has some: the single-byte code pages pay nothing for them
    std::array<unsigned char, 256> upper_{};
    std::array<unsigned char, 256> class_{};       // 0..31, of the folded byte
    std::array<bool, 256> inWord_{};               // letters and digits
    std::array<unsigned char, 32 * 32> pairBit_{}; // 0..63, of two classes
};

} // namespace vantrel
