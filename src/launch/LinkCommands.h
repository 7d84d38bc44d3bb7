#pragma once
// The commands in an item's own submenu besides "Open Link": "Copy Link" and the four
// "Open With" browsers, and how any of them finds its item.

#include "platform/ShellApi.h"
#include "tree/Command.h"
#include "tree/LinkEntry.h"
#include "tree/MenuNode.h"

#include <optional>
#include <string>

namespace vantrel {

// The record of the item whose submenu holds the clicked command; null when the command
// has no parent or the parent carries no record.
LinkEntry* EntryOfLinkCommand(const MenuNode& clicked);

// The bare program name the shell looks up for an "Open With" command ("iexplore",
// "firefox", "chrome", "opera"); null for any other command.
const char* BrowserProgram(Command command);

// Starts the browser with the stored link as its parameters, unquoted and unexpanded;
// nothing when the link is empty. No redirection bracket: the browser is found by name.
void OpenInBrowser(const LinkEntry& entry, const char* program, ShellApi& shell);

// The text "Copy Link" puts on the clipboard: the stored target (an application's
// parameters follow after one space); empty for kinds and entry types that copy nothing.
std::optional<std::string> LinkText(const LinkEntry& entry);

} // namespace vantrel
