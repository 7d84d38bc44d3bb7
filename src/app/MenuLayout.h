#pragma once
// The fixed layout of the two tray menus.

#include "tree/Categories.h"
#include "tree/MenuNode.h"

#include <memory>

namespace vantrel {

struct MainMenuLayout {
    std::unique_ptr<MenuNode> root;
    Categories categories;
    MenuNode* operations = nullptr;
    MenuNode* system = nullptr;
    MenuNode* disks = nullptr;
};

struct SubMenuLayout {
    std::unique_ptr<MenuNode> root;
    MenuNode* checkForUpdates = nullptr;
    MenuNode* runAtSystemStartup = nullptr;
};

MainMenuLayout BuildPopupMenuMain();
SubMenuLayout BuildPopupMenuSub();

} // namespace vantrel
