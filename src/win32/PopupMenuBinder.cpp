#include "win32/PopupMenuBinder.h"

#include "render/MenuLetters.h"
#include "win32/WideText.h"

#include <cstring>
#include <optional>
#include <type_traits>

namespace vantrel::win32 {

// The proxy reads the item data as an MSAAMENUINFO: it must lie at its very start.
static_assert(std::is_standard_layout_v<MenuItemData>);

const MenuNode* NodeOfItem(ULONG_PTR itemData) {
    const auto* data = reinterpret_cast<const MenuItemData*>(itemData);
    return data ? data->node : nullptr;
}

HMENU PopupMenuBinder::Open(MenuNode& root, std::optional<COLORREF> edge) {
    Close();
    if (edge)
        edgeBrush_ = OwnedGdiObject(CreateSolidBrush(*edge));
    root_ = OwnedMenu(NewPopupMenu());
    if (!root_)
        return nullptr;
    BuiltMenu& built = menus_[root_.Get()];
    built.node = &root;
    Fill(root_.Get(), built);
    return root_.Get();
}

void PopupMenuBinder::FillOnOpen(HMENU submenu) {
    const auto it = menus_.find(submenu);
    if (it == menus_.end() || it->second.filled)
        return;
    Fill(submenu, it->second);
}

MenuNode* PopupMenuBinder::NodeOfCommand(UINT id) const {
    if (id == 0 || id > commands_.size())
        return nullptr;
    return commands_[id - 1];
}

const MenuNode* PopupMenuBinder::NodeOfMenu(HMENU menu) const {
    const auto it = menus_.find(menu);
    return it == menus_.end() ? nullptr : it->second.node;
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
    for (const auto& [menu, built] : menus_) {
        if (built.node != row.Parent() || !built.filled)
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

namespace {
// The row Windows has lit in the menu, if any.
std::optional<std::size_t> LitRow(HMENU menu, std::size_t rows) {
    for (std::size_t i = 0; i < rows; ++i)
        if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE)
            return i;
    return std::nullopt;
}
} // namespace

LRESULT PopupMenuBinder::AnswerLetter(HMENU menu, const std::string& key,
                                      CodePageApi& codePage) const {
    const auto it = menus_.find(menu);
    if (it == menus_.end())
        return MAKELRESULT(0, MNC_IGNORE);
    std::vector<std::string_view> captions;
    for (const auto& row : it->second.rows)
        captions.push_back(row->node->caption);
    const LetterAnswer answer =
        vantrel::AnswerLetter(captions, LitRow(menu, captions.size()), key, codePage);
    switch (answer.action) {
    case LetterAction::Choose:
        // A grayed row is only lit: Windows would end the whole menu on it.
        if (it->second.rows[answer.row]->node->enabled)
            return MAKELRESULT(answer.row, MNC_EXECUTE);
        return MAKELRESULT(answer.row, MNC_SELECT);
    case LetterAction::Select:
        return MAKELRESULT(answer.row, MNC_SELECT);
    case LetterAction::Nothing:
        break;
    }
    // What Windows' own menus do with a letter no row has: one beep, nothing else.
    return MAKELRESULT(0, MNC_IGNORE);
}

void PopupMenuBinder::Close() {
    if (root_) {
        // The root owns every submenu inserted into it, at any depth; DestroyMenu frees them
        // all, so they leave the count together with the root.
        CountMenus(-static_cast<long>(menus_.size() - 1));
        root_.Reset();
    }
    edgeBrush_.Reset();
    // The rows' item data go with their menus, after the handles that point at them.
    menus_.clear();
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

void PopupMenuBinder::Fill(HMENU menu, BuiltMenu& built) {
    built.filled = true;
    MenuNode& node = *built.node;
    for (std::size_t i = 0; i < node.Count(); ++i) {
        MenuNode& child = node.Child(i);
        if (child.visible)
            InsertItem(menu, built, child);
    }
}

UINT PopupMenuBinder::CommandIdFor(MenuNode& child) {
    if (child.command == Command::None || commands_.size() >= maxCommandId_)
        return 0;
    commands_.push_back(&child);
    return static_cast<UINT>(commands_.size());
}

namespace {
std::unique_ptr<MenuItemData> ItemDataOf(MenuNode& node) {
    auto data = std::make_unique<MenuItemData>();
    data->node = &node;
    // A separator has no name to say.
    if (!node.IsSeparator())
        data->name = Widen(node.caption, TextEncoding::Ansi);
    data->accessible.dwMSAASignature = static_cast<DWORD>(MSAA_MENU_SIG);
    data->accessible.cchWText = static_cast<DWORD>(data->name.size());
    data->accessible.pszWText = data->name.data();
    return data;
}
} // namespace

void PopupMenuBinder::InsertItem(HMENU menu, BuiltMenu& built, MenuNode& child) {
    std::unique_ptr<MenuItemData> data = ItemDataOf(child);
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA;
    item.fType = MFT_OWNERDRAW | (child.IsSeparator() ? MFT_SEPARATOR : 0u);
    item.fState = (child.enabled ? MFS_ENABLED : MFS_DISABLED) |
                  (child.checked ? MFS_CHECKED : MFS_UNCHECKED);
    item.dwItemData = reinterpret_cast<ULONG_PTR>(data.get());
    if (child.HasChildren() && !child.IsSeparator()) {
        OwnedMenu submenu(NewPopupMenu());
        if (submenu) {
            item.fMask |= MIIM_SUBMENU;
            item.hSubMenu = submenu.Get();
            menus_[submenu.Get()].node = &child;
            // From here the parent menu owns it; it is still counted until Close.
            submenu.Release();
            CountMenus(1);
        }
    } else {
        item.wID = CommandIdFor(child);
    }
    const auto position = static_cast<UINT>(built.rows.size());
    if (InsertMenuItemA(menu, position, TRUE, &item)) {
        built.rows.push_back(std::move(data));
    } else if (item.hSubMenu) {
        DestroyMenu(item.hSubMenu);
        CountMenus(-1);
        menus_.erase(item.hSubMenu);
    }
}

} // namespace vantrel::win32
