#include "transfer/BookmarkReader.h"

#include "platform/DurableFile.h"
#include "transfer/Addresses.h"
#include "transfer/BookmarkFormat.h"
#include "transfer/HtmlTags.h"
#include "transfer/HtmlText.h"

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

const char* const NotBookmarks = "The file is not a bookmarks file as browsers export them.";
const char* const CutShort = "The file ends in the middle: it seems to have been cut short.";
const char* const Unreadable = "The file could not be read.";

// A label from the file, shortened and made printable for a message.
std::string Printable(std::string_view label) {
    std::string text(label.substr(0, 40));
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c < 0x20 || c > 0x7E; }, '?');
    return text;
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
        if (name.size() < 4 || (UpperAscii(name[0]) != 'H' && UpperAscii(name[0]) != 'V'))
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
    bool textFull_ = false;     // the rest of the text is passed over
    bool started_ = false;      // the DOCTYPE line was read
    bool contentBegun_ = false; // a folder or link came: the encoding is settled
    unsigned encoding_ = Utf8CodePage;
    LeadByteTable leadBytes_{}; // of the encoding, when it is a code page
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
    if (!started_ && !std::all_of(text, text + size, IsHtmlSpace))
        return NotBookmarks;
    if (open_ == Open::None || textFull_)
        return std::nullopt;
    const std::size_t room = TextLimit - text_.size();
    text_.append(text, std::min(size, room));
    if (size > room) {
        // Cut between two characters of the file's encoding, so that what is kept converts.
        textFull_ = true;
        text_.resize(encoding_ == Utf8CodePage ? WholeUtf8(text_)
                                               : CharacterCut(text_, text_.size(), leadBytes_));
    }
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
    if (*codePage != Utf8CodePage && !codePage_.CodePageToUtf8(*codePage, "a"))
        return "Windows cannot read the file's text encoding (" + Printable(label) +
               ") on this computer.";
    encoding_ = *codePage;
    leadBytes_ = codePage_.LeadBytes(encoding_);
    contentBegun_ = true;
    return std::nullopt;
}

void Reader::Start(Open what) {
    Finish();
    contentBegun_ = true;
    open_ = what;
    text_.clear();
    textFull_ = false;
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
    if (encoding_ == Utf8CodePage || IsAscii(raw))
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
