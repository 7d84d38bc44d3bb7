#include "transfer/ImportBuilder.h"

#include "editors/ControlTable.h"
#include "editors/DialogModel.h"
#include "transfer/Addresses.h"
#include "transfer/HtmlText.h"

#include <algorithm>

namespace vantrel {

using config::CategoryCount;
using config::DepthLimit;
using config::MaxRecordsPerCategory;

namespace {
const char* const UntitledFolder = "Untitled folder";

std::size_t CategoryOfKind(std::uint8_t kind) {
    return static_cast<std::size_t>(kind - LinkKindRun);
}

std::uint8_t KindOfCategory(std::size_t category) {
    return static_cast<std::uint8_t>(LinkKindRun + category);
}

bool TopLevelTitleTaken(const Categories& categories, const std::string& title) {
    for (const MenuNode* category : categories.InFileOrder())
        for (std::size_t i = 0; i < category->Count(); ++i)
            if (const LinkEntry* entry = category->Child(i).Tag())
                if (SameNoCase(entry->title, title))
                    return true;
    return false;
}

// "Bookmarks", else "Bookmarks 2", "Bookmarks 3"... each within the title's limit.
std::string UnusedTopLevelTitle(const Categories& categories, const std::string& base,
                                const LeadByteTable& leadBytes) {
    for (int n = 1;; ++n) {
        const std::string suffix = n == 1 ? "" : " " + std::to_string(n);
        const std::string title =
            CutToLimit(base, static_cast<unsigned>(TitleLimit - suffix.size()), leadBytes) + suffix;
        if (!TopLevelTitleTaken(categories, title))
            return title;
    }
}

bool EndsWithBackslash(const std::string& text) {
    return !text.empty() && text.back() == '\\';
}
} // namespace

// An entry on its way into the import.
struct ImportCandidate {
    std::size_t category = 0;
    ItemFields fields;      // texts in UTF-8 until filled
    bool address = false;   // the target is an address, not a path
    bool asWritten = false; // from our own export: kept as it was, an empty title too
};

// ---- The import prepared -------------------------------------------------------------------

const char* const AttachFailure =
    "The import no longer fits beside the shortcuts: nothing was imported.";

PreparedImport::PreparedImport() {
    for (auto& root : roots_)
        root = std::make_unique<MenuNode>();
}

bool PreparedImport::AttachTo(const Categories& categories) {
    const auto menus = categories.InFileOrder();
    try {
        for (std::size_t i = 0; i < CategoryCount; ++i)
            if (added_[i] > 0 && CountEntries(*menus[i], 0) + added_[i] > MaxRecordsPerCategory)
                return false;
        // Room first, so that nothing below can fail halfway.
        for (std::size_t i = 0; i < CategoryCount; ++i)
            menus[i]->Reserve(menus[i]->Count() + roots_[i]->Count());
    } catch (...) {
        return false;
    }
    for (std::size_t i = 0; i < CategoryCount; ++i)
        for (auto& entry : roots_[i]->TakeChildren())
            menus[i]->Append(std::move(entry));
    added_.fill(0);
    return true;
}

// ---- Building it ---------------------------------------------------------------------------

// A folder open in the source. Its group is made in a category when the first entry lands
// there; a category folder of our own export makes none: its content goes into the
// source's group in that category, or, in a restore, into the category itself.
struct ImportBuilder::Frame {
    std::string title;
    std::optional<SkipReason> leftOut; // its content is left out, and why
    int depth = 0;                     // the depth of its group; -1 for a category restored
    bool ownGroup = true;              // false for a category folder
    int category = -1;                 // where its content goes; -1: each entry goes where it fits
    std::optional<std::uint8_t> kind;
    std::uint8_t entryType = EntryTypeGroup;
    // Its group in each category; for a category folder, the category's own list.
    std::array<MenuNode*, CategoryCount> made{};
};

ImportBuilder::ImportBuilder(const Categories& categories, const std::string& sourceName,
                             const std::string& fallbackName, CodePageApi& codePage)
    : codePage_(codePage), leadBytes_(codePage.LeadBytes(AnsiCodePage)) {
    std::string base = sourceName;
    Frame source;
    source.title = UnusedTopLevelTitle(
        categories, ToAnsi(base) && !base.empty() ? base : fallbackName, leadBytes_);
    frames_.reserve(DepthLimit + 2);
    frames_.push_back(std::move(source));
    const auto menus = categories.InFileOrder();
    restoring_ = true;
    for (std::size_t i = 0; i < CategoryCount; ++i) {
        const std::int32_t entries = CountEntries(*menus[i], 0);
        room_[i] = std::max(0, MaxRecordsPerCategory - entries);
        restoring_ = restoring_ && entries == 0;
    }
}

ImportBuilder::~ImportBuilder() = default;

void ImportBuilder::EnterFolder(const std::optional<std::string>& name, const OwnFields& own) {
    if (ignoredLevels_ > 0 || frames_.back().leftOut) {
        ++ignoredLevels_;
        return;
    }
    Frame frame;
    if (frames_.size() == 1 && own.category) {
        const std::size_t category = CategoryOfKind(*own.category);
        frame.depth = restoring_ ? -1 : 0;
        frame.ownGroup = false;
        frame.category = static_cast<int>(category);
        if (restoring_)
            frame.made[category] = import_.roots_[category].get();
        frames_.push_back(std::move(frame));
        return;
    }
    frame.depth = frames_.back().depth + 1;
    frame.category = frames_.back().category;
    const bool ours = frame.category >= 0; // a group inside a category folder of our export
    frame.kind = frame.category >= 0 ? own.kind : std::nullopt;
    frame.entryType = ours ? own.entryType.value_or(EntryTypeGroup) : std::uint8_t{EntryTypeGroup};
    std::string title = name.value_or(std::string());
    if (!name || !ToAnsi(title))
        frame.leftOut = SkipReason::NotInCodePage;
    else if (frame.depth >= DepthLimit)
        frame.leftOut = SkipReason::TooDeep;
    else
        frame.title = CutToLimit(title.empty() && !ours ? UntitledFolder : std::move(title),
                                 TitleLimit, leadBytes_);
    frames_.push_back(std::move(frame));
    // A group of our own export comes back even when empty.
    Frame& opened = frames_.back();
    SkipReason why{};
    if (ours && !opened.leftOut && !GroupsFor(static_cast<std::size_t>(opened.category), 0, why)) {
        opened.leftOut = why;
        Skip(why);
    }
}

void ImportBuilder::LeaveFolder() {
    if (ignoredLevels_ > 0)
        --ignoredLevels_;
    else if (frames_.size() > 1)
        frames_.pop_back();
}

namespace {
// Where a shortcut's target fits: a program with its arguments and folder among the
// applications, a path on a share among the network resources, anything else among the
// files and folders.
ImportCandidate CandidateOfPath(ShellLinkTarget link) {
    ImportCandidate candidate;
    ItemFields& fields = candidate.fields;
    if (!link.isFolder && IsProgramPath(link.path)) {
        fields.kind = LinkKindApplication;
        fields.parameters = std::move(link.arguments);
        fields.workDir = std::move(link.workDir);
        fields.runAsAdmin = link.runAsAdmin ? 1 : 0;
    } else if (IsSharePath(link.path)) {
        fields.kind = LinkKindNetwork;
    } else {
        fields.kind = LinkKindFile;
        fields.entryType = link.isFolder ? EntryTypeFolder : EntryTypeItem;
        // As the folder editor stores a folder.
        if (link.isFolder && !EndsWithBackslash(link.path))
            link.path += '\\';
    }
    fields.target = std::move(link.path);
    candidate.category = CategoryOfKind(fields.kind);
    return candidate;
}

// A link of our own export, which says where it goes and what it holds.
ImportCandidate CandidateAsWritten(std::size_t category, std::string& address, OwnFields& own) {
    ImportCandidate candidate;
    candidate.category = category;
    candidate.asWritten = true;
    ItemFields& fields = candidate.fields;
    fields.kind = own.kind.value_or(KindOfCategory(category));
    fields.entryType = own.entryType.value_or(EntryTypeItem);
    fields.runAsAdmin = own.runAsAdmin.value_or(0);
    candidate.address = fields.kind == LinkKindInternet;
    if (own.target) {
        fields.target = std::move(*own.target);
    } else {
        fields.target = std::move(address);
        if (!candidate.address)
            ToPathOfFileUrl(fields.target);
    }
    fields.parameters = std::move(own.parameters).value_or(std::string());
    fields.workDir = std::move(own.workDir).value_or(std::string());
    return candidate;
}
} // namespace

std::optional<ImportCandidate> ImportBuilder::CandidateOf(std::string& address, OwnFields& own) {
    const Frame& frame = frames_.back();
    if (frame.category >= 0)
        return CandidateAsWritten(static_cast<std::size_t>(frame.category), address, own);
    if (own.kind)
        return CandidateAsWritten(CategoryOfKind(*own.kind), address, own);
    const std::string scheme = SchemeOf(address);
    if (scheme == "javascript" || scheme == "place" || scheme == "data") {
        Skip(SkipReason::BrowserOnly);
        return std::nullopt;
    }
    if (scheme.empty() || scheme == "file") {
        ShellLinkTarget link;
        link.path = std::move(address);
        ToPathOfFileUrl(link.path);
        link.isFolder = EndsWithBackslash(link.path);
        return CandidateOfPath(std::move(link));
    }
    ImportCandidate candidate;
    candidate.category = CategoryOfKind(LinkKindInternet);
    candidate.fields.kind = LinkKindInternet;
    candidate.fields.target = std::move(address);
    candidate.address = true;
    return candidate;
}

void ImportBuilder::AddAddress(std::string title, std::string address, OwnFields own) {
    if (frames_.back().leftOut) {
        Skip(*frames_.back().leftOut);
        return;
    }
    if (std::optional<ImportCandidate> candidate = CandidateOf(address, own))
        Place(std::move(*candidate), std::move(title));
}

void ImportBuilder::AddShellLink(std::string title, ShellLinkTarget link,
                                 const std::string& linkPath) {
    if (frames_.back().leftOut) {
        Skip(*frames_.back().leftOut);
        return;
    }
    if (link.path.empty()) {
        link = ShellLinkTarget();
        link.path = linkPath; // opens what the link opens, through the link itself
    }
    Place(CandidateOfPath(std::move(link)), std::move(title));
}

std::optional<SkipReason> ImportBuilder::FillTexts(ImportCandidate& candidate, std::string& title) {
    ItemFields& fields = candidate.fields;
    // A record's text ends at its first zero byte: the entry holds no more than it keeps.
    for (std::string* text : {&title, &fields.target, &fields.parameters, &fields.workDir})
        text->resize(std::min(text->size(), text->find('\0')));
    if (!candidate.asWritten && fields.target.empty())
        return SkipReason::NoTarget;
    if (title.empty() && !candidate.asWritten)
        title = fields.target;
    const bool converted = ToAnsiTitle(title) && ToAnsi(fields.parameters) &&
                           ToAnsiPath(fields.workDir) &&
                           (candidate.address || ToAnsiPath(fields.target));
    if (!converted)
        return SkipReason::NotInCodePage;
    if (candidate.address)
        ToAnsiAddress(fields.target);
    if (fields.target.size() > PathLimit || fields.parameters.size() > PathLimit ||
        fields.workDir.size() > PathLimit)
        return SkipReason::TooLong;
    fields.title = CutToLimit(std::move(title), TitleLimit, leadBytes_);
    return std::nullopt;
}

void ImportBuilder::Place(ImportCandidate candidate, std::string title) {
    SkipReason why{};
    if (const std::optional<SkipReason> unfit = FillTexts(candidate, title)) {
        Skip(*unfit);
        return;
    }
    if (frames_.back().depth + 1 >= DepthLimit) {
        Skip(SkipReason::TooDeep);
        return;
    }
    MenuNode* parent = GroupsFor(candidate.category, 1, why);
    if (!parent) {
        Skip(why);
        return;
    }
    CreateItemEntry(*parent, std::move(candidate.fields));
    Count(candidate.category);
}

// The innermost open folder's group in the category, made with every group above it that is
// missing; null when the category has no room for them and `entries` more.
MenuNode* ImportBuilder::GroupsFor(std::size_t category, std::int32_t entries, SkipReason& why) {
    // Groups are made from the outside in: those missing are the innermost ones.
    std::size_t made = frames_.size();
    while (made > 0 && !frames_[made - 1].made[category])
        --made;
    const auto missing = std::count_if(frames_.begin() + static_cast<std::ptrdiff_t>(made),
                                       frames_.end(), [](const Frame& f) { return f.ownGroup; });
    if (room_[category] < static_cast<std::int32_t>(missing) + entries) {
        why = SkipReason::CategoryFull;
        return nullptr;
    }
    MenuNode* parent = made > 0 ? frames_[made - 1].made[category] : import_.roots_[category].get();
    for (std::size_t i = made; i < frames_.size(); ++i)
        parent = frames_[i].made[category] =
            frames_[i].ownGroup ? &MakeGroup(*parent, frames_[i], category) : parent;
    return parent;
}

MenuNode& ImportBuilder::MakeGroup(MenuNode& parent, const Frame& frame, std::size_t category) {
    MenuNode& group = CreateGroupEntry(
        parent, frame.title, frame.kind.value_or(KindOfCategory(category)), frame.entryType);
    Count(category);
    return group;
}

void ImportBuilder::Count(std::size_t category) {
    --room_[category];
    ++import_.added_[category];
    ++import_.summary_.entries;
}

PreparedImport ImportBuilder::Finish() {
    for (const auto& root : import_.roots_)
        import_.summary_.categories += root->Count() > 0;
    return std::move(import_);
}

// ---- Texts into the code page ----------------------------------------------------------------

// Plain ASCII is the same in every code page and needs no conversion.
bool ImportBuilder::ToAnsi(std::string& text) {
    if (IsAscii(text))
        return true;
    std::optional<std::string> ansi = codePage_.Utf8ToAnsi(text);
    if (ansi)
        text = std::move(*ansi);
    return ansi.has_value();
}

// A character the code page lacks past what the title keeps does not matter: the title is
// then taken a character at a time up to it, and kept when that fills the title.
bool ImportBuilder::ToAnsiTitle(std::string& title) {
    if (ToAnsi(title))
        return true;
    std::string kept;
    for (std::size_t at = 0, next = 0; at < title.size() && kept.size() < TitleLimit; at = next) {
        next = at + 1;
        while (next < title.size() && (static_cast<unsigned char>(title[next]) & 0xC0) == 0x80)
            ++next;
        std::string character = title.substr(at, next - at);
        if (!ToAnsi(character))
            break;
        kept += character;
    }
    if (kept.size() < TitleLimit)
        return false;
    title = std::move(kept);
    return true;
}

// A path the code page cannot hold is kept by its short form, as the pickers keep it.
bool ImportBuilder::ToAnsiPath(std::string& text) {
    if (IsAscii(text))
        return true;
    std::optional<std::string> ansi = StorablePath(text, codePage_);
    if (ansi)
        text = std::move(*ansi);
    return ansi.has_value();
}

// An address the code page cannot hold is kept with those characters escaped.
void ImportBuilder::ToAnsiAddress(std::string& text) {
    if (!ToAnsi(text))
        text = PercentEncodeNonAscii(text);
}

} // namespace vantrel
