#include "win32/PopupMenuBinder.h"

#include <cstring>
#include <optional>

namespace vantrel::win32 {

HMENU PopupMenuBinder::Open(MenuNode& root, std::optional<COLORREF> edge) {
    Close();
    if (edge)
        edgeBrush_ = OwnedGdiObject(CreateSolidBrush(*edge));
    root_ = OwnedMenu(NewPopupMenu());
    if (!root_)
        return nullptr;
    submenus_[root_.Get()] = &root;
    Fill(root_.Get(), root);
    return root_.Get();
}

void PopupMenuBinder::FillOnOpen(HMENU submenu) {
    const auto it = submenus_.find(submenu);
    if (it == submenus_.end() || filled_[submenu])
        return;
    Fill(submenu, *it->second);
}

MenuNode* PopupMenuBinder::NodeOfCommand(UINT id) const {
    if (id == 0 || id > commands_.size())
        return nullptr;
    return commands_[id - 1];
}

const MenuNode* PopupMenuBinder::NodeOfMenu(HMENU menu) const {
    const auto it = submenus_.find(menu);
    return it == submenus_.end() ? nullptr : it->second;
}

namespace {
struct MenuWindowSearch {
    HMENU menu;
    HWND window;
};

BOOL CALLBACK FindMenuWindow(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<MenuWindowSearch*>(lParam);
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::strcmp(className, "#32768") != 0 || !IsWindowVisible(window) ||
        reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0)) != search.menu)
        return TRUE;
    search.window = window;
    return FALSE;
}

// The popup window showing the menu; null when it is not on the screen.
HWND WindowOfMenu(HMENU menu) {
    MenuWindowSearch search{menu, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), &FindMenuWindow, reinterpret_cast<LPARAM>(&search));
    return search.window;
}

// The row's position among the items the binder inserted (hidden rows have none).
std::optional<UINT> PositionOf(const MenuNode& row) {
    const MenuNode* parent = row.Parent();
    if (!parent || !row.visible)
        return std::nullopt;
    UINT position = 0;
    for (std::size_t i = 0; i < parent->Count(); ++i) {
        const MenuNode& child = parent->Child(i);
        if (&child == &row)
            return position;
        position += child.visible ? 1 : 0;
    }
    return std::nullopt;
}
} // namespace

void PopupMenuBinder::RepaintRow(const MenuNode& row) const {
    const std::optional<UINT> position = PositionOf(row);
    if (!position)
        return;
    for (const auto& [menu, node] : submenus_) {
        if (node != row.Parent() || !filled_.count(menu) || !filled_.at(menu))
            continue;
        const HWND window = WindowOfMenu(menu);
        RECT rect{};
        if (!window || !GetMenuItemRect(window, menu, *position, &rect))
            return;
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        InvalidateRect(window, &rect, FALSE);
        return;
    }
}

void PopupMenuBinder::Close() {
    if (root_) {
        // The root owns every submenu inserted into it, at any depth; DestroyMenu frees them
        // all, so they leave the count together with the root.
        CountMenus(-static_cast<long>(submenus_.size() - 1));
        root_.Reset();
    }
    edgeBrush_.Reset();
    submenus_.clear();
    filled_.clear();
    commands_.clear();
}

HMENU PopupMenuBinder::NewPopupMenu() const {
    HMENU menu = CreatePopupMenu();
    if (menu && edgeBrush_) {
        MENUINFO info{};
        info.cbSize = sizeof info;
        info.fMask = MIM_BACKGROUND;
        info.hbrBack = static_cast<HBRUSH>(edgeBrush_.Get());
        SetMenuInfo(menu, &info);
    }
    return menu;
}

void PopupMenuBinder::Fill(HMENU menu, MenuNode& node) {
    filled_[menu] = true;
    UINT position = 0;
    for (std::size_t i = 0; i < node.Count(); ++i) {
        MenuNode& child = node.Child(i);
        if (!child.visible)
            continue;
        InsertItem(menu, position++, child);
    }
}

UINT PopupMenuBinder::CommandIdFor(MenuNode& child) {
    if (child.command == Command::None || commands_.size() >= maxCommandId_)
        return 0;
    commands_.push_back(&child);
    return static_cast<UINT>(commands_.size());
}

void PopupMenuBinder::InsertItem(HMENU menu, UINT position, MenuNode& child) {
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA;
    item.fType = MFT_OWNERDRAW | (child.IsSeparator() ? MFT_SEPARATOR : 0u);
    item.fState = (child.enabled ? MFS_ENABLED : MFS_DISABLED) |
                  (child.checked ? MFS_CHECKED : MFS_UNCHECKED);
    item.dwItemData = reinterpret_cast<ULONG_PTR>(&child);
    if (child.HasChildren() && !child.IsSeparator()) {
        OwnedMenu submenu(NewPopupMenu());
        if (submenu) {
            item.fMask |= MIIM_SUBMENU;
            item.hSubMenu = submenu.Get();
            submenus_[submenu.Get()] = &child;
            filled_[submenu.Get()] = false;
            // From here the parent menu owns it; it is still counted until Close.
            submenu.Release();
            CountMenus(1);
        }
    } else {
        item.wID = CommandIdFor(child);
    }
    if (!InsertMenuItemA(menu, position, TRUE, &item) && item.hSubMenu) {
        DestroyMenu(item.hSubMenu);
        CountMenus(-1);
        submenus_.erase(item.hSubMenu);
        filled_.erase(item.hSubMenu);
    }
}

} // namespace vantrel::win32
