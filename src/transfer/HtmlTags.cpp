#include "transfer/HtmlTags.h"

#include <cstring>

namespace vantrel {

namespace {
// A name of up to four letters as one number, in upper case.
constexpr std::uint32_t KeyOf(std::string_view name) {
    std::uint32_t key = 0;
    for (const char c : name)
        key = key << 8 | static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return key;
}
} // namespace

std::size_t TagScan::Scan(const char* bytes, std::size_t size) {
    std::size_t i = 0;
    while (i < size && !ended_) {
        if (seen_ < 3 || comment_)
            i += Step(bytes[i]);
        else if (quote_)
            i += SkipQuoted(bytes + i, size - i);
        else
            i += SkipPlain(bytes + i, size - i);
    }
    return i;
}

// One byte of the tag's start, where a comment is told apart, or of a comment.
std::size_t TagScan::Step(char c) {
    ++seen_;
    if (seen_ <= 3)
        comment_ = seen_ == 1 ? c == '!' : comment_ && c == '-';
    if (comment_ && seen_ > 3)
        ended_ = c == '>' && last_ == '-' && beforeLast_ == '-' && seen_ >= 6;
    else if (!comment_)
        Plain(c);
    beforeLast_ = last_;
    last_ = c;
    return 1;
}

// A byte outside quotes: the closing '>', a quote that opens a value after '=', or text.
void TagScan::Plain(char c) {
    if (c == '>')
        ended_ = true;
    else if ((c == '"' || c == '\'') && lastNonBlank_ == '=')
        quote_ = c;
    else if (!IsHtmlSpace(c))
        lastNonBlank_ = c;
}

std::size_t TagScan::SkipQuoted(const char* bytes, std::size_t size) {
    const void* close = std::memchr(bytes, quote_, size);
    if (!close) {
        seen_ += size;
        return size;
    }
    const auto taken = static_cast<std::size_t>(static_cast<const char*>(close) - bytes) + 1;
    seen_ += taken;
    lastNonBlank_ = quote_;
    quote_ = 0;
    return taken;
}

// Names and blanks up to the next byte that may matter, and that byte.
std::size_t TagScan::SkipPlain(const char* bytes, std::size_t size) {
    std::size_t taken = 0;
    while (taken < size && bytes[taken] != '>' && bytes[taken] != '"' && bytes[taken] != '\'')
        ++taken;
    for (std::size_t back = taken; back > 0; --back)
        if (!IsHtmlSpace(bytes[back - 1])) {
            lastNonBlank_ = bytes[back - 1];
            break;
        }
    if (taken < size)
        Plain(bytes[taken++]);
    seen_ += taken;
    return taken;
}

std::string_view TagName(std::string_view tag) {
    std::size_t end = 1;
    while (end < tag.size() && !IsHtmlSpace(tag[end]) && tag[end] != '/')
        ++end;
    return tag.substr(0, std::min(end, tag.size()));
}

Tag TagOf(std::string_view name) {
    if (name.size() > 4)
        return Tag::Other;
    switch (KeyOf(name)) {
    case KeyOf("DT"):
        return Tag::Item;
    case KeyOf("A"):
        return Tag::Link;
    case KeyOf("/A"):
        return Tag::LinkEnd;
    case KeyOf("H3"):
        return Tag::Heading;
    case KeyOf("/H3"):
        return Tag::HeadingEnd;
    case KeyOf("DL"):
        return Tag::List;
    case KeyOf("/DL"):
        return Tag::ListEnd;
    case KeyOf("DD"):
        return Tag::Item;
    case KeyOf("HR"):
        return Tag::Item;
    case KeyOf("META"):
        return Tag::Meta;
    default:
        return Tag::Other;
    }
}

} // namespace vantrel
