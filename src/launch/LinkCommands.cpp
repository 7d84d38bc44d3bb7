#include "launch/LinkCommands.h"

#include "launch/CommandLine.h"

namespace vantrel {

LinkEntry* EntryOfLinkCommand(const MenuNode& clicked) {
    const MenuNode* item = clicked.Parent();
    return item ? item->Tag() : nullptr;
}

const char* BrowserProgram(Command command) {
    switch (command) {
    case Command::OpenWithIE: return "iexplore";
    case Command::OpenWithFirefox: return "firefox";
    case Command::OpenWithChrome: return "chrome";
    case Command::OpenWithOpera: return "opera";
    default: return nullptr;
    }
}

void OpenInBrowser(const LinkEntry& entry, const char* program, ShellApi& shell) {
    if (entry.target.empty())
        return;
    shell.Execute({VerbOpen, program, entry.target, std::string(), ShowNormal});
}

std::optional<std::string> LinkText(const LinkEntry& entry) {
    switch (entry.kind) {
    case LinkKindRun:
    case LinkKindNetwork:
    case LinkKindInternet:
        if (entry.entryType == EntryTypeItem)
            return entry.target;
        return std::nullopt;
    case LinkKindApplication:
        if (entry.entryType != EntryTypeItem)
            return std::nullopt;
        if (entry.parameters.empty())
            return entry.target;
        return entry.target + " " + entry.parameters;
    case LinkKindFile:
        if (entry.entryType == EntryTypeItem || entry.entryType == EntryTypeFolder)
            return entry.target;
        return std::nullopt;
    default: return std::nullopt;
    }
}

} // namespace vantrel
