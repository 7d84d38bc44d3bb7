#pragma once
// The command submenus every user entry carries: "Actions" with add, edit, delete and
// move, then the open commands of an item.

#include "tree/MenuNode.h"

namespace vantrel {

void AddGroupActionsMenu(MenuNode& entry);
void AddItemActionsMenu(MenuNode& entry);
void AddEntrySeparator(MenuNode& entry);
void AddLinkCommands(MenuNode& entry);
void AddBrowserLinkCommands(MenuNode& entry);

} // namespace vantrel
