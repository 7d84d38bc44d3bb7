#include "transfer/ShortcutFolders.h"

#include "platform/DurableFile.h"
#include "transfer/Addresses.h"
#include "tree/PathParts.h"

#include <algorithm>
#include <map>
#include <set>
#include <vector>

namespace vantrel {

namespace {
constexpr std::size_t InternetShortcutLimit = 64 * 1024;
// Far more than a Start menu holds; a whole drive picked by mistake stops there.
constexpr int FolderLimit = 10000;

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Names as the file system compares them, near enough: without regard to case.
std::string Folded(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(), Lower);
    return name;
}

bool EndsWithNoCase(const std::string& text, const std::string& lowerEnd) {
    return text.size() >= lowerEnd.size() &&
           Folded(text.substr(text.size() - lowerEnd.size())) == lowerEnd;
}

std::string Joined(const std::string& folder, const std::string& name) {
    return !folder.empty() && folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

std::string WithoutExtension(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// A folder by its name, with every place it lies in (merged folders: several).
struct Named {
    std::string name;
    std::vector<std::string> paths;
};
// Folders and shortcuts by their folded names, so in Explorer's order; shortcuts of the same
// name in two merged folders both come, in the order of the folders.
using Subfolders = std::map<std::string, Named>;
using Shortcuts = std::multimap<std::string, std::string>; // to the shortcut's path

class Walker {
  public:
    Walker(Platform& platform, ImportBuilder& builder) : platform_(platform), builder_(builder) {}

    // The folders, merged, as the content of the innermost open group; false when none of
    // them could be read. One that cannot be read beside one that can is counted.
    bool Walk(const std::vector<std::string>& folders, int depth) {
        Subfolders subfolders;
        Shortcuts shortcuts;
        std::size_t read = 0;
        for (const std::string& folder : folders)
            read += List(folder, subfolders, shortcuts) ? 1 : 0;
        if (read == 0)
            return false;
        for (std::size_t unread = read; unread < folders.size(); ++unread)
            builder_.Skip(SkipReason::UnreadableFolder);
        for (const auto& entry : subfolders)
            WalkSubfolder(entry.second, depth + 1);
        for (const auto& entry : shortcuts)
            AddShortcut(entry.second);
        return true;
    }

  private:
    bool List(const std::string& folder, Subfolders& subfolders, Shortcuts& shortcuts) {
        const std::optional<FolderListing> listing = platform_.shortcuts.ListFolder(folder);
        if (!listing)
            return false;
        const bool known = !listing->identity.empty();
        if (known ? !visited_.insert(listing->identity).second : listing->linked) {
            builder_.Skip(SkipReason::Loop);
            return true;
        }
        for (const std::string& name : listing->folders) {
            Named& subfolder = subfolders[Folded(name)];
            if (subfolder.name.empty())
                subfolder.name = name;
            subfolder.paths.push_back(Joined(folder, name));
        }
        for (const std::string& name : listing->shortcuts)
            shortcuts.emplace(Folded(name), Joined(folder, name));
        return true;
    }

    // What no category has room for any more is not read at all.
    std::optional<SkipReason> LeftOut(int depth) const {
        if (!builder_.HasRoom())
            return SkipReason::CategoryFull;
        if (depth >= config::DepthLimit)
            return SkipReason::TooDeep;
        if (walked_ == FolderLimit)
            return SkipReason::TooManyFolders;
        return std::nullopt;
    }

    void WalkSubfolder(const Named& subfolder, int depth) {
        if (const std::optional<SkipReason> why = LeftOut(depth)) {
            builder_.Skip(*why);
            return;
        }
        ++walked_;
        builder_.EnterFolder(subfolder.name, OwnFields());
        if (!Walk(subfolder.paths, depth))
            builder_.Skip(SkipReason::UnreadableFolder);
        builder_.LeaveFolder();
    }

    void AddShortcut(const std::string& path) {
        if (!builder_.HasRoom()) {
            builder_.Skip(SkipReason::CategoryFull);
            return;
        }
        const std::string name = NamePart(path);
        const std::string title = WithoutExtension(name);
        if (EndsWithNoCase(name, ".url")) {
            const std::optional<std::string> address = AddressIn(path);
            if (address)
                builder_.AddAddress(title, *address, OwnFields());
            else
                builder_.Skip(SkipReason::NotAShortcut);
            return;
        }
        const std::optional<ShellLinkTarget> link = platform_.shortcuts.ReadShellLink(path);
        if (link)
            builder_.AddShellLink(title, *link, path);
        else
            builder_.Skip(SkipReason::NotAShortcut);
    }

    // The address of the internet shortcut at the path, in UTF-8.
    std::optional<std::string> AddressIn(const std::string& path) {
        ScopedFile file(platform_.files, platform_.files.OpenForReading(path));
        if (!file)
            return std::nullopt;
        std::string text(InternetShortcutLimit, '\0');
        const std::optional<std::size_t> read = platform_.files.Read(
            file.Get(), reinterpret_cast<std::uint8_t*>(text.data()), text.size());
        if (!read)
            return std::nullopt;
        text.resize(std::min(*read, text.size()));
        const std::optional<std::string> address = AddressOfInternetShortcut(text);
        if (!address || IsAscii(*address))
            return address;
        return platform_.codePage.AnsiToUtf8(*address);
    }

    Platform& platform_;
    ImportBuilder& builder_;
    std::set<std::string> visited_;
    int walked_ = 0; // subfolders
};

// The folder's own name ("Tools" for "C:\Tools\"); a drive's root is named by its drive.
std::string FolderName(std::string folder) {
    while (folder.size() > 1 && folder.back() == '\\')
        folder.pop_back();
    const std::string name = NamePart(folder);
    return name.empty() ? folder : name;
}

std::optional<std::string> PathOfSpecialFolder(ShellFoldersApi& folders, int csidl) {
    const ItemIdList list = folders.SpecialFolderLocation(csidl);
    return list ? folders.PathFromIdList(list.Get()) : std::nullopt;
}

ImportOutcome WalkInto(ImportBuilder& builder, Platform& platform,
                       const std::vector<std::string>& folders, const char* failure) {
    Walker walker(platform, builder);
    if (!walker.Walk(folders, 0))
        return {std::nullopt, failure};
    return {builder.Finish(), std::string()};
}
} // namespace

std::optional<std::string> AddressOfInternetShortcut(const std::string& text) {
    bool inSection = false;
    std::size_t start = text.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string line = Trimmed(text.substr(start, end - start));
        start = end + 1;
        if (!line.empty() && line.front() == '[')
            inSection = Folded(line) == "[internetshortcut]";
        else if (inSection && Folded(line.substr(0, 4)) == "url=")
            return Trimmed(line.substr(4));
    }
    return std::nullopt;
}

ImportOutcome PrepareFolderImport(const std::string& folder, const Categories& categories,
                                  Platform& platform) {
    return GuardedImport([&] {
        ImportBuilder builder(categories, FolderName(folder), "Shortcuts", platform.codePage);
        return WalkInto(builder, platform, {folder}, "The folder could not be read.");
    });
}

ImportOutcome PrepareStartMenuImport(const Categories& categories, Platform& platform) {
    return GuardedImport([&] {
        std::vector<std::string> folders;
        for (const int csidl : {FolderPrograms, FolderCommonPrograms})
            if (std::optional<std::string> path = PathOfSpecialFolder(platform.folders, csidl))
                folders.push_back(*path);
        ImportBuilder builder(categories, "Start Menu", "Start Menu", platform.codePage);
        return WalkInto(builder, platform, folders, "The Start menu's folders could not be read.");
    });
}

} // namespace vantrel
