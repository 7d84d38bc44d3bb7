#include "transfer/BookmarkReader.h"

#include "platform/DurableFile.h"
#include "transfer/Addresses.h"
#include "transfer/BookmarkFormat.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

namespace vantrel {

namespace {
constexpr std::size_t ChunkBytes = 256 * 1024;
// What is kept of one tag (an icon in an attribute can be large) and of one title (which
// keeps 100 bytes); the rest is passed over.
constexpr std::size_t TagLimit = 1024 * 1024;
constexpr std::size_t TextLimit = 4096;
constexpr unsigned Utf8 = 0; // the text needs no conversion

const char* const NotBookmarks = "The file is not a bookmarks file as browsers export them.";
const char* const CutShort = "The file ends in the middle: it seems to have been cut short.";
const char* const Unreadable = "The file could not be read.";

// ---- Characters ------------------------------------------------------------------------------

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && Upper(a[i]) != Upper(b[i]))
            return false;
    return true;
}

std::size_t FindNoCase(std::string_view text, std::string_view what) {
    const auto at = std::search(text.begin(), text.end(), what.begin(), what.end(),
                                [](char x, char y) { return Upper(x) == Upper(y); });
    return at == text.end() ? std::string_view::npos : static_cast<std::size_t>(at - text.begin());
}

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The character a reference names ("amp", "#39", "#x1F600"); empty for any other text.
std::optional<std::uint32_t> ReferencedCharacter(std::string_view name) {
    static const std::pair<const char*, std::uint32_t> named[] = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}, {"nbsp", 0xA0}};
    for (const auto& [text, code] : named)
        if (name == text)
            return code;
    if (name.size() < 2 || name[0] != '#')
        return std::nullopt;
    const bool hex = name[1] == 'x' || name[1] == 'X';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    std::uint32_t code = 0;
    for (const char c : digits) {
        const int value = c >= '0' && c <= '9'                        ? c - '0'
                          : hex && Upper(c) >= 'A' && Upper(c) <= 'F' ? Upper(c) - 'A' + 10
                                                                      : -1;
        if (value < 0 || code > 0x10FFFF)
            return std::nullopt;
        code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(value);
    }
    const bool valid =
        !digits.empty() && code > 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
    return valid ? std::optional<std::uint32_t>(code) : std::nullopt;
}

// Character references decoded; one that names no character stays as written.
std::string DecodeReferences(std::string text) {
    if (text.find('&') == std::string::npos)
        return text;
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t end = text[i] == '&' ? text.find(';', i + 1) : std::string::npos;
        const std::optional<std::uint32_t> code =
            end != std::string::npos && end - i <= 10
                ? ReferencedCharacter(std::string_view(text).substr(i + 1, end - i - 1))
                : std::nullopt;
        if (!code) {
            out += text[i];
            continue;
        }
        AppendUtf8(out, *code);
        i = end;
    }
    return out;
}

// Line breaks and other control characters written into a title are blanks; blanks around
// it are layout, not part of it (a reference such as &#32; keeps one).
std::string AsTitle(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, ' ');
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    text.erase(text.find_last_not_of(' ') + 1);
    text.erase(0, first);
    return text;
}

// Control characters written into an address or another value are layout, dropped as
// browsers drop them from addresses (a reference such as &#9; keeps one).
std::string AsValue(std::string text) {
    text.erase(std::remove_if(text.begin(), text.end(),
                              [](char c) { return static_cast<unsigned char>(c) < 0x20; }),
               text.end());
    return text;
}

// ---- Encodings -----------------------------------------------------------------------------

struct Encoding {
    const char* label;
    unsigned codePage;
};
// The labels browsers and the encoding standard use, and the Windows code page of each.
const Encoding Encodings[] = {
    {"utf-8", Utf8},        {"utf8", Utf8},         {"unicode-1-1-utf-8", Utf8},
    {"utf-16", Utf8},       {"us-ascii", 1252},     {"ascii", 1252},
    {"iso-8859-1", 1252},   {"iso8859-1", 1252},    {"latin1", 1252},
    {"l1", 1252},           {"cp1252", 1252},       {"x-cp1252", 1252},
    {"windows-1250", 1250}, {"windows-1251", 1251}, {"windows-1252", 1252},
    {"windows-1253", 1253}, {"windows-1254", 1254}, {"windows-1255", 1255},
    {"windows-1256", 1256}, {"windows-1257", 1257}, {"windows-1258", 1258},
    {"iso-8859-2", 28592},  {"iso-8859-3", 28593},  {"iso-8859-4", 28594},
    {"iso-8859-5", 28595},  {"iso-8859-6", 28596},  {"iso-8859-7", 28597},
    {"iso-8859-8", 28598},  {"iso-8859-9", 28599},  {"iso-8859-13", 28603},
    {"iso-8859-15", 28605}, {"koi8-r", 20866},      {"koi8-u", 21866},
    {"ibm866", 866},        {"cp866", 866},         {"windows-874", 874},
    {"tis-620", 874},       {"shift_jis", 932},     {"shift-jis", 932},
    {"sjis", 932},          {"x-sjis", 932},        {"windows-31j", 932},
    {"euc-jp", 20932},      {"gbk", 936},           {"gb2312", 936},
    {"gb18030", 54936},     {"euc-kr", 949},        {"ks_c_5601-1987", 949},
    {"big5", 950},          {"macintosh", 10000},
};

std::optional<unsigned> CodePageOfLabel(std::string_view label) {
    for (const Encoding& encoding : Encodings)
        if (SameNoCase(label, encoding.label))
            return encoding.codePage;
    return std::nullopt;
}

// The label after "charset=" in a Content-Type value.
std::string_view CharsetOfContentType(std::string_view content) {
    const std::size_t at = FindNoCase(content, "charset=");
    if (at == std::string_view::npos)
        return {};
    std::string_view label = content.substr(at + 8);
    return label.substr(0, std::min(label.find_first_of("; \t\"'"), label.size()));
}

// A label from the file, shortened and made printable for a message.
std::string Printable(std::string_view label) {
    std::string text(label.substr(0, 40));
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c < 0x20 || c > 0x7E; }, '?');
    return text;
}

// ---- Tags ------------------------------------------------------------------------------------

// "A", "/DL", "!DOCTYPE": up to the first blank, or the first slash after the first letter.
std::string_view TagName(std::string_view tag) {
    std::size_t end = 1;
    while (end < tag.size() && !IsSpace(tag[end]) && tag[end] != '/')
        ++end;
    return tag.substr(0, std::min(end, tag.size()));
}

// Calls visit(name, value) for each attribute of the tag; a value without quotes runs to the
// next blank.
template <typename Visit> void ForEachAttribute(std::string_view tag, Visit&& visit) {
    std::size_t i = TagName(tag).size();
    auto skipSpaces = [&] {
        while (i < tag.size() && IsSpace(tag[i]))
            ++i;
    };
    while (true) {
        skipSpaces();
        if (i >= tag.size())
            return;
        const std::size_t nameStart = i;
        while (i < tag.size() && !IsSpace(tag[i]) && tag[i] != '=')
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
                while (i < tag.size() && !IsSpace(tag[i]))
                    ++i;
            value = tag.substr(valueStart, i - valueStart);
            i += quote && i < tag.size() ? 1 : 0;
        }
        visit(name, value);
    }
}

// The attributes a link or heading keeps: its address and our own, by name.
enum Slot { Href, Category, Kind, Type, Admin, Target, Parameters, WorkDir, SlotCount };
constexpr std::string_view SlotNames[SlotCount] = {
    "HREF",
    bookmarks::CategoryAttribute,
    bookmarks::KindAttribute,
    bookmarks::TypeAttribute,
    bookmarks::AdminAttribute,
    bookmarks::TargetAttribute,
    bookmarks::ParametersAttribute,
    bookmarks::WorkDirAttribute,
};

// Their raw values; the strings are kept from one link to the next, so that reading a large
// file does not allocate for every link.
struct Attributes {
    std::array<std::string, SlotCount> values;
    std::array<bool, SlotCount> present{};

    void Clear() { present.fill(false); }
    void Keep(std::string_view name, std::string_view value) {
        if (name.size() < 4 || (Upper(name[0]) != 'H' && Upper(name[0]) != 'V'))
            return; // neither the address nor ours: most attributes end here
        for (std::size_t i = 0; i < SlotCount; ++i)
            if (SameNoCase(name, SlotNames[i])) {
                values[i].assign(value.data(), value.size());
                present[i] = true;
                return;
            }
    }
    std::string* Find(Slot slot) { return present[slot] ? &values[slot] : nullptr; }
};

std::optional<std::uint8_t> NumberIn(const std::string* text, int low, int high) {
    if (!text || text->empty() || text->size() > 3)
        return std::nullopt;
    int value = 0;
    for (const char c : *text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < low || value > high)
        return std::nullopt;
    return static_cast<std::uint8_t>(value);
}

// Follows a tag's bytes after its '<' to its closing '>', which a quoted attribute value may
// hold, and a comment's "-->".
class TagScan {
  public:
    // Takes bytes up to the closing '>', that one included; the number taken.
    std::size_t Scan(const char* bytes, std::size_t size) {
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
    bool Ended() const { return ended_; }

  private:
    // One byte of the tag's start, where a comment is told apart, or of a comment.
    std::size_t Step(char c) {
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
    void Plain(char c) {
        if (c == '>')
            ended_ = true;
        else if ((c == '"' || c == '\'') && lastNonBlank_ == '=')
            quote_ = c;
        else if (!IsSpace(c))
            lastNonBlank_ = c;
    }

    std::size_t SkipQuoted(const char* bytes, std::size_t size) {
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
    std::size_t SkipPlain(const char* bytes, std::size_t size) {
        std::size_t taken = 0;
        while (taken < size && bytes[taken] != '>' && bytes[taken] != '"' && bytes[taken] != '\'')
            ++taken;
        for (std::size_t back = taken; back > 0; --back)
            if (!IsSpace(bytes[back - 1])) {
                lastNonBlank_ = bytes[back - 1];
                break;
            }
        if (taken < size)
            Plain(bytes[taken++]);
        seen_ += taken;
        return taken;
    }

    std::size_t seen_ = 0;
    bool ended_ = false;
    bool comment_ = false; // "<!--" up to "-->"
    char quote_ = 0;       // inside a value quoted with this
    char lastNonBlank_ = 0;
    char last_ = 0;
    char beforeLast_ = 0;
};

enum class Tag { Other, Meta, Link, LinkEnd, Heading, HeadingEnd, Item, List, ListEnd };

// A name of up to four letters as one number, in upper case.
constexpr std::uint32_t KeyOf(std::string_view name) {
    std::uint32_t key = 0;
    for (const char c : name)
        key = key << 8 | static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return key;
}

// The tags that matter. An item's <DT> or <DD> or a separator ends a link or heading left
// open.
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

// ---- The reader --------------------------------------------------------------------------------

class Reader {
  public:
    Reader(FileApi& files, FileHandle file, CodePageApi& codePage, ImportSink& sink)
        : files_(files), file_(file), codePage_(codePage), sink_(sink),
          buffer_(new std::uint8_t[ChunkBytes]) {}
    std::optional<std::string> Run();

  private:
    enum class Open { None, Link, Heading };
    struct Heading {
        std::optional<std::string> name;
        OwnFields own;
    };

    bool More();
    bool ReadTag();
    std::optional<std::string> TakeText(const std::uint8_t* from, std::size_t size);
    std::optional<std::string> HandleTag();
    std::optional<std::string> ReadMeta();
    void Start(Open what);
    void Finish();
    void OpenLevel();
    void CloseLevel();
    std::optional<std::string> Decoded(std::string raw);
    std::optional<OwnFields> OwnFieldsOf(bool link);

    FileApi& files_;
    FileHandle file_;
    CodePageApi& codePage_;
    ImportSink& sink_;
    std::unique_ptr<std::uint8_t[]> buffer_;
    std::size_t at_ = 0;
    std::size_t end_ = 0;
    bool readFailed_ = false;

    std::string_view tag_; // the tag read last: in the buffer, or in `longTag_`
    std::string longTag_;  // a tag that goes on past the end of the buffer
    std::string text_;
    bool started_ = false;      // the DOCTYPE line was read
    bool contentBegun_ = false; // a folder or link came: the encoding is settled
    unsigned encoding_ = Utf8;
    Open open_ = Open::None;
    Attributes attributes_;          // of the open link or heading
    std::optional<Heading> heading_; // read, waiting for its list
    std::vector<bool> levels_;       // each open list: true when it is a folder's
};

bool Reader::More() {
    at_ = end_ = 0;
    const std::optional<std::size_t> read = files_.Read(file_, buffer_.get(), ChunkBytes);
    readFailed_ = !read;
    end_ = read ? std::min(*read, ChunkBytes) : 0;
    return end_ > 0;
}

// The rest of a tag or comment after its '<', up to its '>'; a '>' inside a quoted attribute
// value does not end it. False when the file ends first.
bool Reader::ReadTag() {
    longTag_.clear();
    TagScan scan;
    for (bool first = true; at_ < end_ || More(); first = false) {
        const char* bytes = reinterpret_cast<const char*>(buffer_.get()) + at_;
        const std::size_t scanned = scan.Scan(bytes, end_ - at_);
        at_ += scanned;
        const std::size_t taken = scanned - (scan.Ended() ? 1 : 0); // without the '>'
        if (first && scan.Ended()) {
            tag_ = std::string_view(bytes, taken); // the usual case: no copy
            return true;
        }
        longTag_.append(bytes, std::min(taken, TagLimit - std::min(longTag_.size(), TagLimit)));
        if (scan.Ended()) {
            tag_ = longTag_;
            return true;
        }
    }
    return false;
}

std::optional<std::string> Reader::TakeText(const std::uint8_t* from, std::size_t size) {
    const char* text = reinterpret_cast<const char*>(from);
    if (!started_ && !std::all_of(text, text + size, IsSpace))
        return NotBookmarks;
    if (open_ != Open::None && text_.size() < TextLimit)
        text_.append(text, std::min(size, TextLimit - text_.size()));
    return std::nullopt;
}

std::optional<std::string> Reader::Run() {
    if (!More())
        return readFailed_ ? Unreadable : NotBookmarks;
    if (end_ >= 3 && std::memcmp(buffer_.get(), "\xEF\xBB\xBF", 3) == 0) {
        at_ = 3; // a byte order mark: UTF-8, whatever the file says later
        contentBegun_ = true;
    }
    while (at_ < end_ || More()) {
        const std::uint8_t* start = buffer_.get() + at_;
        const auto* open = static_cast<const std::uint8_t*>(std::memchr(start, '<', end_ - at_));
        const std::size_t size =
            static_cast<std::size_t>((open ? open : buffer_.get() + end_) - start);
        if (auto failure = TakeText(start, size))
            return failure;
        at_ += size;
        if (!open)
            continue;
        ++at_;
        if (!ReadTag())
            return readFailed_ ? Unreadable : CutShort;
        if (auto failure = HandleTag())
            return failure;
    }
    if (readFailed_)
        return Unreadable;
    if (!started_)
        return NotBookmarks;
    if (open_ != Open::None || !levels_.empty())
        return CutShort;
    return std::nullopt;
}

std::optional<std::string> Reader::HandleTag() {
    if (tag_.empty() || tag_.substr(0, 3) == "!--")
        return std::nullopt;
    const std::string_view name = TagName(tag_);
    if (!started_) {
        started_ = SameNoCase(name, "!DOCTYPE") &&
                   FindNoCase(tag_, bookmarks::Doctype) != std::string_view::npos;
        return started_ ? std::nullopt : std::optional<std::string>(NotBookmarks);
    }
    const Tag tag = TagOf(name);
    switch (tag) {
    case Tag::Meta:
        return ReadMeta();
    case Tag::Link:
        Start(Open::Link);
        break;
    case Tag::Heading:
        Start(Open::Heading);
        break;
    case Tag::LinkEnd:
    case Tag::HeadingEnd:
        if (open_ == (tag == Tag::LinkEnd ? Open::Link : Open::Heading))
            Finish();
        break;
    case Tag::Item:
        Finish();
        break;
    case Tag::List:
        OpenLevel();
        break;
    case Tag::ListEnd:
        CloseLevel();
        break;
    case Tag::Other:
        break;
    }
    return std::nullopt;
}

// The encoding a META line declares, before the first folder or link only.
std::optional<std::string> Reader::ReadMeta() {
    if (contentBegun_)
        return std::nullopt;
    std::string_view label;
    ForEachAttribute(tag_, [&](std::string_view name, std::string_view value) {
        if (SameNoCase(name, "CHARSET"))
            label = value;
        else if (SameNoCase(name, "CONTENT") && label.empty())
            label = CharsetOfContentType(value);
    });
    if (label.empty())
        return std::nullopt;
    const std::optional<unsigned> codePage = CodePageOfLabel(label);
    if (!codePage)
        return "The file's text is in an encoding this program does not know (" + Printable(label) +
               ").";
    if (*codePage != Utf8 && !codePage_.CodePageToUtf8(*codePage, "a"))
        return "Windows cannot read the file's text encoding (" + Printable(label) +
               ") on this computer.";
    encoding_ = *codePage;
    contentBegun_ = true;
    return std::nullopt;
}

void Reader::Start(Open what) {
    Finish();
    contentBegun_ = true;
    open_ = what;
    text_.clear();
    attributes_.Clear();
    ForEachAttribute(tag_, [&](std::string_view name, std::string_view value) {
        attributes_.Keep(name, value);
    });
}

// Ends the open link or heading, if any: a link goes to the sink, a heading waits for its list.
void Reader::Finish() {
    const Open was = std::exchange(open_, Open::None);
    if (was == Open::None)
        return;
    std::optional<std::string> title = Decoded(AsTitle(std::move(text_)));
    text_.clear();
    std::optional<OwnFields> own = OwnFieldsOf(was == Open::Link);
    if (was == Open::Heading) {
        heading_.emplace();
        if (own) {
            heading_->name = std::move(title);
            heading_->own = std::move(*own);
        }
        return;
    }
    std::string* href = attributes_.Find(Href);
    std::optional<std::string> address = Decoded(href ? AsValue(std::move(*href)) : std::string());
    if (title && address && own)
        sink_.AddAddress(std::move(*title), std::move(*address), std::move(*own));
    else
        sink_.Skip(SkipReason::NotInCodePage);
}

void Reader::OpenLevel() {
    Finish();
    contentBegun_ = true;
    levels_.push_back(heading_.has_value());
    if (heading_)
        sink_.EnterFolder(heading_->name, heading_->own);
    heading_.reset();
}

void Reader::CloseLevel() {
    Finish();
    heading_.reset(); // a heading without a list is an empty folder
    if (levels_.empty())
        return;
    const bool folder = levels_.back();
    levels_.pop_back();
    if (folder)
        sink_.LeaveFolder();
}

// Raw text of the file in UTF-8, references decoded; empty when the code page cannot
// convert it.
std::optional<std::string> Reader::Decoded(std::string raw) {
    if (encoding_ == Utf8 || IsAscii(raw))
        return DecodeReferences(std::move(raw));
    const std::optional<std::string> utf8 = codePage_.CodePageToUtf8(encoding_, raw);
    return utf8 ? std::optional<std::string>(DecodeReferences(*utf8)) : std::nullopt;
}

// Empty when one of our texts cannot be converted.
std::optional<OwnFields> Reader::OwnFieldsOf(bool link) {
    OwnFields own;
    if (!link)
        own.category = NumberIn(attributes_.Find(Category), LinkKindRun, LinkKindFile);
    own.kind = NumberIn(attributes_.Find(Kind), LinkKindRun, LinkKindFile);
    own.entryType = NumberIn(attributes_.Find(Type), EntryTypeGroup, EntryTypeFolder);
    own.runAsAdmin = NumberIn(attributes_.Find(Admin), 0, 255);
    const std::pair<Slot, std::optional<std::string>*> texts[] = {
        {Target, &own.target}, {Parameters, &own.parameters}, {WorkDir, &own.workDir}};
    for (const auto& [slot, field] : texts) {
        std::string* raw = attributes_.Find(slot);
        if (!raw)
            continue;
        *field = Decoded(AsValue(std::move(*raw)));
        if (!*field)
            return std::nullopt;
    }
    return own;
}
} // namespace

std::optional<std::string> ReadBookmarks(FileApi& files, FileHandle file, CodePageApi& codePage,
                                         ImportSink& sink) {
    return Reader(files, file, codePage, sink).Run();
}

ImportOutcome PrepareBookmarksImport(const std::string& path, const Categories& categories,
                                     Platform& platform) {
    return GuardedImport([&]() -> ImportOutcome {
        ImportBuilder builder(categories, "Bookmarks", "Bookmarks", platform.codePage);
        ScopedFile file(platform.files, platform.files.OpenForReading(path));
        if (!file)
            return {std::nullopt, "The file could not be opened."};
        if (std::optional<std::string> failure =
                ReadBookmarks(platform.files, file.Get(), platform.codePage, builder))
            return {std::nullopt, *failure};
        return {builder.Finish(), std::string()};
    });
}

} // namespace vantrel
