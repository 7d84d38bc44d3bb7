#include "generated/SystemLinks.h"

#include "tree/ImageIndex.h"
#include "tree/PathParts.h"

#include <memory>
#include <optional>

namespace vantrel {

const char* const ManagementConsoleCaption = "Management Console";

const SnapIn SnapInCatalogue[35] = {
    {"azman.msc", "azman.msc"},
    {"certmgr.msc", "certmgr.msc"},
    {"ciadv.msc", "ciadv.msc"},
    {"comexp.msc", "Com\\comexp.msc"},
    {"compmgmt.msc", "compmgmt.msc"},
    {"devmgmt.msc", "devmgmt.msc"},
    {"dfrg.msc", "dfrg.msc"},
    {"diskmgmt.msc", "diskmgmt.msc"},
    {"eventvwr.msc", "eventvwr.msc"},
    {"fsmgmt.msc", "fsmgmt.msc"},
    {"gpedit.msc", "gpedit.msc"},
    {"gpmc.msc", "gpmc.msc"},
    {"lusrmgr.msc", "lusrmgr.msc"},
    {"napclcfg.msc", "napclcfg.msc"},
    {"ntmsmgr.msc", "ntmsmgr.msc"},
    {"ntmsoprq.msc", "ntmsoprq.msc"},
    {"mscorcfg.msc", "mscorcfg.msc"},
    {"perfmon.msc", "perfmon.msc"},
    {"printmanagement.msc", "printmanagement.msc"},
    {"rsop.msc", "rsop.msc"},
    {"secpol.msc", "secpol.msc"},
    {"ServerManager.msc", "ServerManager.msc"},
    {"services.msc", "services.msc"},
    {"SQLServerManager.msc", "SQLServerManager.msc"},
    {"StorageMgmt.msc", "StorageMgmt.msc"},
    {"StorExpl.msc", "StorExpl.msc"},
    {"tapimgmt.msc", "tapimgmt.msc"},
    {"taskschd.msc", "taskschd.msc"},
    {"tpm.msc", "tpm.msc"},
    {"tsadmin.msc", "tsadmin.msc"},
    {"tsconfig.msc", "tsconfig.msc"},
    {"tsmmc.msc", "tsmmc.msc"},
    {"wbadmin.msc", "wbadmin.msc"},
    {"wf.msc", "wf.msc"},
    {"wmimgmt.msc", "wmimgmt.msc"},
};

namespace {
constexpr std::size_t DirectoryBufferChars = 280;

// The system's buffers count UTF-16 units: one for every character but those beyond the
// basic plane, which take two (and four bytes in UTF-8).
std::size_t Utf16Units(const std::string& utf8) {
    std::size_t units = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        units += (byte & 0xC0) == 0x80 ? 0 : byte >= 0xF0 ? 2 : 1;
    }
    return units;
}

// A path that could not be formed (a directory read failed) is empty: its row is left out.
using FormedPath = std::optional<std::string>;

std::unique_ptr<LinkEntry> NewSystemEntry(const std::string& caption, SystemLinkCode code) {
    auto entry = std::make_unique<LinkEntry>();
    entry->title = caption;
    entry->kind = LinkKindSystem;
    entry->entryType = code;
    entry->isGroup = 0;
    return entry;
}

// Until its own picture has been read, a row shows the program's picture of its kind of place.
int ImageOfCode(std::uint8_t code) {
    switch (code) {
    case SystemLinkSnapIn:
    case SystemLinkAdminTools:
    case SystemLinkControlPanel: return ImageGear;
    case SystemLinkMyComputer:
    case SystemLinkDesktop: return ImageSystemLinks;
    case SystemLinkNetworkNeighborhood:
    case SystemLinkNetworkConnections: return ImageNetworkResources;
    case SystemLinkSystemDrive: return ImageDiskDrives;
    case SystemLinkMyDocuments:
    case SystemLinkSharedDocuments: return ImageFilesAndFolders;
    default: return ImageFolder;
    }
}

MenuNode& AppendRow(MenuNode& menu, const std::string& caption, std::unique_ptr<LinkEntry> entry,
                    Command command) {
    auto node = std::make_unique<MenuNode>(caption, ImageOfCode(entry->entryType), command);
    node->SetTag(std::move(entry));
    return menu.Append(std::move(node));
}

void AppendSeparator(MenuNode& menu) {
    menu.Append("-", -1, Command::SystemLink);
}

// A row for a place with a plain path, when the place exists. Only whether it exists is
// asked here: the row's picture is read later, away from start-up.
MenuNode* AddPathRow(MenuNode& menu, const std::string& caption, SystemLinkCode code,
                     const FormedPath& path, Platform& platform,
                     Command command = Command::SystemLink) {
    if (!path || path->empty() || !platform.files.Exists(*path))
        return nullptr;
    auto entry = NewSystemEntry(caption, code);
    entry->target = *path;
    return &AppendRow(menu, caption, std::move(entry), command);
}

// A row for a shell folder, which may have no plain path (Control Panel, My Computer), when
// the shell has that folder here.
void AddShellFolderRow(MenuNode& menu, const std::string& caption, SystemLinkCode code, int csidl,
                       Platform& platform) {
    if (platform.folders.SpecialFolderLocation(csidl))
        AppendRow(menu, caption, NewSystemEntry(caption, code), Command::SystemLink);
}

FormedPath FolderPath(int csidl, ShellFoldersApi& folders) {
    const ItemIdList list = folders.SpecialFolderLocation(csidl);
    if (!list)
        return std::nullopt;
    return folders.PathFromIdList(list.Get());
}

FormedPath Directory(const std::string& reported) {
    std::string usable = UsableDirectory(reported);
    if (usable.empty())
        return std::nullopt;
    return usable;
}

// A folder's path as the shell may report it, with a trailing backslash (Wine does for every
// special folder), names the same folder as without one; a drive's root keeps its own.
std::string WithoutTrailingBackslash(std::string path) {
    const std::size_t size = path.size();
    if (size > 1 && path[size - 1] == '\\' && path[size - 2] != ':' && path[size - 2] != '\\')
        path.pop_back();
    return path;
}

// The folder holding a path: "C:\Users\me" for "C:\Users\me\Documents" (or
// "...\Documents\"), and a drive's root keeps its backslash ("C:\" for "C:\Users").
FormedPath Parent(const FormedPath& path) {
    if (!path)
        return std::nullopt;
    return DirectoryPart(WithoutTrailingBackslash(*path));
}

FormedPath Join(const FormedPath& directory, const std::string& name) {
    if (!directory || directory->empty())
        return std::nullopt;
    // A documents folder moved to a drive's root leaves a parent that already ends in a
    // backslash; a second one would name a different path to some shell calls.
    const char last = directory->back();
    return *directory + (last == '\\' ? "" : "\\") + name;
}

FormedPath Prefix(const FormedPath& path, std::size_t length) {
    if (!path)
        return std::nullopt;
    return path->substr(0, length);
}

FormedPath Append(const FormedPath& path, const std::string& tail) {
    if (!path)
        return std::nullopt;
    return *path + tail;
}

// Looked up with redirection off: a 32-bit process on 64-bit Windows must see the real
// System32, where the console and the 64-bit snap-ins live.
void AddManagementConsole(MenuNode& menu, Platform& platform, ProcessFacts& facts) {
    WithRedirectionSuspended(facts, platform.process, [&] {
        const FormedPath console =
            Append(Directory(platform.folders.SystemDirectory()), "\\mmc.exe");
        // A submenu: it has no click action of its own.
        MenuNode* submenu = AddPathRow(menu, ManagementConsoleCaption, SystemLinkSnapIn, console,
                                       platform, Command::None);
        if (!submenu)
            return;
        for (const SnapIn& snapIn : SnapInCatalogue)
            AddSnapInRow(*submenu, snapIn.caption, snapIn.file, platform);
    });
}

void AddShellFolderRows(MenuNode& menu, Platform& platform) {
    AddShellFolderRow(menu, "Admin Tools", SystemLinkAdminTools, FolderCommonAdminTools, platform);
    AddShellFolderRow(menu, "Control Panel", SystemLinkControlPanel, FolderControls, platform);
    AddShellFolderRow(menu, "My Computer", SystemLinkMyComputer, FolderDrives, platform);
    AddShellFolderRow(menu, "Network Neighborhood", SystemLinkNetworkNeighborhood, FolderNetwork,
                      platform);
    AddShellFolderRow(menu, "Network Connections", SystemLinkNetworkConnections, FolderConnections,
                      platform);
}

void AddSystemDirectoryRows(MenuNode& menu, Platform& platform, const ProcessFacts& facts) {
    const FormedPath windows = Directory(platform.folders.SystemWindowsDirectory());
    const FormedPath root = Prefix(windows, 3); // "C:\"
    AddPathRow(menu, "System Drive", SystemLinkSystemDrive, root, platform);
    AddShellFolderRow(menu, "Windows", SystemLinkWindows, FolderWindows, platform);
    AddPathRow(menu, "System32", SystemLinkSystem32, Append(windows, "\\System32"), platform);
    if (facts.isWow64) {
        AddPathRow(menu, "System32 (x86)", SystemLinkSystem32X86, Append(windows, "\\SysWOW64"),
                   platform);
        // The shell's program-files folder of a 32-bit process is the (x86) one; the
        // native folder is reached by its name on the system drive.
        AddPathRow(menu, "Program Files", SystemLinkProgramFiles, Append(root, "Program Files"),
                   platform);
        AddShellFolderRow(menu, "Program Files (x86)", SystemLinkProgramFilesX86,
                          FolderProgramFilesX86, platform);
    } else {
        AddShellFolderRow(menu, "Program Files", SystemLinkProgramFiles, FolderProgramFiles,
                          platform);
    }
    AddPathRow(menu, "Temp", SystemLinkTemp, Directory(platform.folders.TempPath()), platform);
}

// The profile rows follow the current user's documents folder wherever it was moved.
void AddProfileRows(MenuNode& menu, Platform& platform, const ProcessFacts& facts) {
    const FormedPath profile = Parent(FolderPath(FolderPersonal, platform.folders));
    const FormedPath profiles = Parent(profile);
    AddPathRow(menu, "Documents and Settings", SystemLinkDocumentsAndSettings, profiles, platform);
    AddPathRow(menu, "All Users Profile", SystemLinkAllUsersProfile, Join(profiles, "All Users"),
               platform);
    AddPathRow(menu, "My Profile", SystemLinkMyProfile, profile, platform);
    AddShellFolderRow(menu, "My Documents", SystemLinkMyDocuments, FolderPersonal, platform);
    // From Vista on, the shared documents live in a "Public" profile: offer the profile.
    if (facts.osMajorVersion >= 6)
        AddPathRow(menu, "Shared Documents", SystemLinkSharedDocuments,
                   Parent(FolderPath(FolderCommonDocuments, platform.folders)), platform);
    else
        AddShellFolderRow(menu, "Shared Documents", SystemLinkSharedDocuments,
                          FolderCommonDocuments, platform);
    AddShellFolderRow(menu, "Desktop", SystemLinkDesktop, FolderDesktop, platform);
}
} // namespace

std::optional<int> ShellFolderOfRow(std::uint8_t code) {
    switch (code) {
    case SystemLinkAdminTools: return FolderCommonAdminTools;
    case SystemLinkControlPanel: return FolderControls;
    case SystemLinkMyComputer: return FolderDrives;
    case SystemLinkNetworkNeighborhood: return FolderNetwork;
    case SystemLinkNetworkConnections: return FolderConnections;
    case SystemLinkWindows: return FolderWindows;
    case SystemLinkProgramFiles: return FolderProgramFiles;
    case SystemLinkProgramFilesX86: return FolderProgramFilesX86;
    case SystemLinkMyDocuments: return FolderPersonal;
    case SystemLinkSharedDocuments: return FolderCommonDocuments;
    case SystemLinkDesktop: return FolderDesktop;
    default: return std::nullopt;
    }
}

std::optional<PictureSource> SystemLinkPictureSource(const LinkEntry& row) {
    PictureSource source;
    if (!row.target.empty()) {
        source.paths = {row.target};
        source.encoding = TextEncoding::Utf8;
        // The console and its snap-ins live in the real System32.
        source.realSystemDirectory = row.entryType == SystemLinkSnapIn;
        return source;
    }
    const std::optional<int> folder = ShellFolderOfRow(row.entryType);
    if (!folder)
        return std::nullopt;
    source.specialFolder = *folder;
    return source;
}

std::string UsableDirectory(const std::string& reported) {
    if (reported.empty() || Utf16Units(reported) > DirectoryBufferChars)
        return {};
    return reported;
}

void AddSnapInRow(MenuNode& parent, const std::string& caption, const std::string& file,
                  Platform& platform) {
    const FormedPath path = Append(Directory(platform.folders.SystemDirectory()), "\\" + file);
    AddPathRow(parent, caption, SystemLinkSnapIn, path, platform);
}

void BuildSystemLinksMenu(MenuNode& menu, Platform& platform, ProcessFacts& facts) {
    try {
        AddManagementConsole(menu, platform, facts);
        AddShellFolderRows(menu, platform);
        AppendSeparator(menu);
        AddSystemDirectoryRows(menu, platform, facts);
        AppendSeparator(menu);
        AddProfileRows(menu, platform, facts);
    } catch (...) {
        // A failure part-way (an allocation, a string operation) keeps what was built.
    }
}

} // namespace vantrel
