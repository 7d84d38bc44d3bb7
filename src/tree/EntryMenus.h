#pragma once
// The command submenus every user entry carries: "Actions" with add, edit, delete and
// move, then the open commands of an item. Each function makes the whole command part of an
// entry's submenu, in the form MenuNode::DeferChildren takes.

#include "tree/MenuNode.h"

namespace vantrel {

void AddGroupMenus(MenuNode& group);
void AddItemMenus(MenuNode& item);
void AddInternetItemMenus(MenuNode& item);

} // namespace vantrel
