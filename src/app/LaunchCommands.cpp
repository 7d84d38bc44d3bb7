// Opening entries and copying their links from their menus.
#include "app/MainForm.h"

#include "launch/Clipboard.h"
#include "launch/LinkCommands.h"
#include "launch/OpenEntry.h"

namespace vantrel {

void MainForm::PopupMenuOpenLinkClick(MenuNode& item) {
    if (const LinkEntry* entry = EntryOfLinkCommand(item))
        OpenLink(*entry);
}

void MainForm::PopupMenuCopyLinkClick(MenuNode& item) {
    if (const LinkEntry* entry = EntryOfLinkCommand(item))
        CopyLink(*entry);
}

void MainForm::OpenLink(const LinkEntry& entry) {
    OpenEntry(entry, platform_, facts_);
}

void MainForm::CopyLink(const LinkEntry& entry) {
    if (const std::optional<std::string> text = LinkText(entry))
        CopyTextToClipboard(platform_.clipboard, *text);
}

void MainForm::PopupMenuBrowserOpenLinkClick(MenuNode& item, Command browser) {
    const LinkEntry* entry = EntryOfLinkCommand(item);
    const char* program = BrowserProgram(browser);
    if (entry && program)
        OpenInBrowser(*entry, program, platform_.shell);
}

} // namespace vantrel
