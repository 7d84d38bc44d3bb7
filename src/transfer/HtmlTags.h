#pragma once
// The tags of an HTML file as bookmarks files hold them: where each ends, its name, its
// attributes and which of them a bookmarks file gives a meaning.

#include "transfer/HtmlText.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vantrel {

// Follows a tag's bytes after its '<' to its closing '>', which a quoted attribute value may
// hold, and a comment's "-->".
class TagScan {
  public:
    // Takes bytes up to the closing '>', that one included; the number taken.
    std::size_t Scan(const char* bytes, std::size_t size);
    bool Ended() const { return ended_; }

  private:
    std::size_t Step(char c);
    void Plain(char c);
    std::size_t SkipQuoted(const char* bytes, std::size_t size);
    std::size_t SkipPlain(const char* bytes, std::size_t size);

    std::size_t seen_ = 0;
    bool ended_ = false;
    bool comment_ = false; // "<!--" up to "-->"
    char quote_ = 0;       // inside a value quoted with this
    char lastNonBlank_ = 0;
    char last_ = 0;
    char beforeLast_ = 0;
};

// "A", "/DL", "!DOCTYPE": up to the first blank, or the first slash after the first letter.
std::string_view TagName(std::string_view tag);

// Calls visit(name, value) for each attribute of the tag; a value without quotes runs to the
// next blank.
template <typename Visit> void ForEachAttribute(std::string_view tag, Visit&& visit) {
    std::size_t i = TagName(tag).size();
    auto skipSpaces = [&] {
        while (i < tag.size() && IsHtmlSpace(tag[i]))
            ++i;
    };
    while (true) {
        skipSpaces();
        if (i >= tag.size())
            return;
        const std::size_t nameStart = i;
        while (i < tag.size() && !IsHtmlSpace(tag[i]) && tag[i] != '=')
            ++i;
        const std::string_view name = tag.substr(nameStart, i - nameStart);
        skipSpaces();
        std::string_view value;
        if (i < tag.size() && tag[i] == '=') {
            ++i;
            skipSpaces();
            const char quote = i < tag.size() && (tag[i] == '"' || tag[i] == '\'') ? tag[i] : 0;
            const std::size_t valueStart = quote ? ++i : i;
            if (quote)
                i = std::min(tag.find(quote, i), tag.size());
            else
                while (i < tag.size() && !IsHtmlSpace(tag[i]))
                    ++i;
            value = tag.substr(valueStart, i - valueStart);
            i += quote && i < tag.size() ? 1 : 0;
        }
        visit(name, value);
    }
}

enum class Tag { Other, Meta, Link, LinkEnd, Heading, HeadingEnd, Item, List, ListEnd };

// What a tag of that name means in a bookmarks file. An item's <DT> or <DD> or a separator
// ends a link or heading left open.
Tag TagOf(std::string_view name);

} // namespace vantrel
