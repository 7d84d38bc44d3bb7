#include "generated/SystemLinkClick.h"

#include "generated/SystemLinks.h"
#include "launch/CommandLine.h"

#include <optional>

namespace vantrel {

namespace {
// The rows' paths come from the system, in UTF-8 (a profile folder may carry any name).
void Launch(ShellApi& shell, const char* verb, const std::string& file,
            const std::string& parameters) {
    shell.Execute({verb, file, parameters, std::nullopt, ShowNormal, TextEncoding::Utf8});
}

void OpenTarget(const std::string& target, ShellApi& shell) {
    if (!target.empty())
        Launch(shell, VerbOpen, target, std::string());
}

// The console splits its arguments at blanks: a snap-in path with one must arrive whole.
std::string ConsoleArgument(const std::string& path) {
    if (path.find_first_of(" \t") == std::string::npos)
        return path;
    return "\"" + path + "\"";
}

void RunSystemLink(const LinkEntry& entry, Platform& platform, ProcessFacts& facts) {
    switch (entry.entryType) {
    case SystemLinkSnapIn:
        LaunchSnapIn(entry.target, platform, facts);
        return;
    case SystemLinkSystem32:
    case SystemLinkSystem32X86:
    case SystemLinkTemp:
    case SystemLinkSystemDrive:
    case SystemLinkDocumentsAndSettings:
    case SystemLinkMyProfile:
    case SystemLinkAllUsersProfile:
        OpenTarget(entry.target, platform.shell);
        return;
    // These two rows were built from a path or from a shell folder, by the same facts.
    case SystemLinkProgramFiles:
        if (facts.isWow64)
            OpenTarget(entry.target, platform.shell);
        else
            OpenSpecialFolder(FolderProgramFiles, platform.folders);
        return;
    case SystemLinkSharedDocuments:
        if (facts.osMajorVersion >= 6)
            OpenTarget(entry.target, platform.shell);
        else
            OpenSpecialFolder(FolderCommonDocuments, platform.folders);
        return;
    default:
        if (const std::optional<int> csidl = ShellFolderOfRow(entry.entryType))
            OpenSpecialFolder(*csidl, platform.folders);
        return;
    }
}
} // namespace

void OpenSpecialFolder(int csidl, ShellFoldersApi& folders) {
    const ItemIdList list = folders.SpecialFolderLocation(csidl);
    if (list)
        folders.OpenIdList(list.Get());
}

void LaunchSnapIn(const std::string& target, Platform& platform, ProcessFacts& facts) {
    if (platform.shell.IsUserAnAdmin()) {
        WithRedirectionSuspended(facts, platform.process,
                                 [&] { OpenTarget(target, platform.shell); });
        return;
    }
    if (target.empty())
        return;
    if (facts.isWow64)
        Launch(platform.shell, VerbRunAs, "mmc.exe", ConsoleArgument(target));
    else
        Launch(platform.shell, VerbRunAs, target, std::string());
}

void PopupMenuSystemClick(const MenuNode& item, Platform& platform, ProcessFacts& facts) {
    const LinkEntry* entry = item.Tag();
    if (!entry)
        return;
    if (entry->kind == LinkKindDrive) {
        if (entry->entryType == EntryTypeItem)
            OpenTarget(entry->target, platform.shell);
    } else if (entry->kind == LinkKindSystem) {
        RunSystemLink(*entry, platform, facts);
    }
}

} // namespace vantrel
