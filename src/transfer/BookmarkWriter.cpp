#include "transfer/BookmarkWriter.h"

#include "launch/CommandLine.h"
#include "platform/DurableFile.h"
#include "transfer/Addresses.h"
#include "transfer/BookmarkFormat.h"
#include "transfer/HtmlText.h"
#include "tree/Configuration.h"

#include <string>

namespace vantrel {

namespace {
constexpr std::size_t FlushBytes = 64 * 1024;

const char* const Head =
    "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
    "<!-- Shortcuts exported by Vantrel. Browsers import this file as bookmarks; Vantrel\n"
    "     imports it back as the same shortcuts. -->\n"
    "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
    "<TITLE>Bookmarks</TITLE>\n"
    "<H1>Bookmarks</H1>\n"
    "<DL><p>\n";
const char* const Tail = "</DL><p>\n";

std::string Attribute(const char* name, const std::string& value) {
    return std::string(" ") + name + "=\"" + EscapedAttribute(value) + "\"";
}

std::string NumberAttribute(const char* name, int value) {
    return Attribute(name, std::to_string(value));
}

class Writer {
  public:
    Writer(FileApi& files, FileHandle file, CodePageApi& codePage)
        : files_(files), file_(file), codePage_(codePage) {}

    bool WriteAll(const Categories& categories) {
        out_ = Head;
        // In the order of the main menu.
        for (const int kind :
             {LinkKindFile, LinkKindInternet, LinkKindNetwork, LinkKindApplication, LinkKindRun})
            WriteCategory(*categories.OfKind(kind), kind);
        out_ += Tail;
        return Flush();
    }
    int Entries() const { return entries_; }

  private:
    std::string Utf8(const std::string& ansi) {
        return IsAscii(ansi) ? ansi : codePage_.AnsiToUtf8(ansi);
    }

    void Line(int depth, const std::string& text) {
        out_.append(static_cast<std::size_t>(4 * depth), ' ');
        out_ += text;
        out_ += '\n';
        if (out_.size() >= FlushBytes)
            Flush();
    }

    bool Flush() {
        ok_ = ok_ &&
              files_.Write(file_, reinterpret_cast<const std::uint8_t*>(out_.data()), out_.size());
        out_.clear();
        return ok_;
    }

    void WriteCategory(const MenuNode& category, int kind) {
        Line(1, "<DT><H3" + NumberAttribute(bookmarks::CategoryAttribute, kind) + ">" +
                    EscapedText(Utf8(category.caption)) + "</H3>");
        kind_ = kind;
        WriteList(category, 1, 0);
    }

    // The entries below the node, which take `depth` in the tree; none at depth 100 or more,
    // as the configuration keeps none.
    void WriteList(const MenuNode& node, int indent, int depth) {
        Line(indent, "<DL><p>");
        // Children not made yet are commands, never entries.
        const std::size_t count = node.HasMadeChildren() ? node.Count() : 0;
        for (std::size_t i = 0; i < count && depth < config::DepthLimit; ++i) {
            const MenuNode& child = node.Child(i);
            if (const LinkEntry* entry = child.Tag())
                WriteEntry(child, *entry, indent + 1, depth);
        }
        Line(indent, "</DL><p>");
    }

    void WriteEntry(const MenuNode& node, const LinkEntry& entry, int indent, int depth) {
        ++entries_;
        // The kind and type a record of this category has unless it says otherwise.
        const int usualType = entry.isGroup ? EntryTypeGroup : EntryTypeItem;
        std::string own;
        if (entry.kind != kind_)
            own += NumberAttribute(bookmarks::KindAttribute, entry.kind);
        if (entry.entryType != usualType)
            own += NumberAttribute(bookmarks::TypeAttribute, entry.entryType);
        const std::string title = EscapedText(Utf8(entry.title));
        if (entry.isGroup) {
            Line(indent, "<DT><H3" + own + ">" + title + "</H3>");
            WriteList(node, indent, depth + 1);
            return;
        }
        Line(indent, "<DT><A" + LinkAttributes(entry) + own + ">" + title + "</A>");
    }

    std::string LinkAttributes(const LinkEntry& entry) {
        using namespace bookmarks;
        const std::string target = Utf8(entry.target);
        const bool address = entry.kind == LinkKindInternet;
        // A command line's address names its program; the whole line goes with the target.
        const std::string href = address ? target
                                 : entry.kind == LinkKindRun
                                     ? FileUrlOf(SplitCommandLine(target).program)
                                     : FileUrlOf(target);
        std::string text = Attribute("HREF", href);
        if (!address && PathOfFileUrl(href) != target)
            text += Attribute(TargetAttribute, target);
        if (!entry.parameters.empty())
            text += Attribute(ParametersAttribute, Utf8(entry.parameters));
        if (!entry.workDir.empty())
            text += Attribute(WorkDirAttribute, Utf8(entry.workDir));
        if (entry.runAsAdmin != 0)
            text += NumberAttribute(AdminAttribute, entry.runAsAdmin);
        return text;
    }

    FileApi& files_;
    FileHandle file_;
    CodePageApi& codePage_;
    std::string out_;
    bool ok_ = true;
    int entries_ = 0;
    int kind_ = 0; // of the category being written
};
} // namespace

ExportOutcome ExportBookmarks(const Categories& categories, const std::string& path,
                              Platform& platform) {
    ExportOutcome outcome;
    try {
        // Running out of memory halfway fails as a write fails: the temporary file goes too.
        const ContentWriter write = [&](FileApi& files, FileHandle file) {
            try {
                Writer writer(files, file, platform.codePage);
                const bool whole = writer.WriteAll(categories);
                outcome.entries = writer.Entries();
                return whole;
            } catch (...) {
                return false;
            }
        };
        outcome.written = ReplaceDurably(platform.files, path, write);
    } catch (...) {
        outcome.written = false;
    }
    if (!outcome.written)
        outcome.failure = "The file could not be written: the folder may be read-only, or the "
                          "disk full.";
    return outcome;
}

} // namespace vantrel
