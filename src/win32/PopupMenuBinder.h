#pragma once
// Shows a MenuNode tree as a Windows popup menu. Only what the user opens is built: a
// submenu's items are inserted when Windows is about to show it, and every handle is
// destroyed when the menu closes, so the handles in use depend on what is open, never on
// the size of the tree. Command identifiers are handed out per showing.

#include "platform/CodePageApi.h"
#include "tree/MenuNode.h"
#include "win32/Handles.h"

#include <oleacc.h>

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace vantrel::win32 {

// What every row of the program's menus carries as its item data. Windows' accessibility
// proxy reads an owner-drawn row's name from an MSAAMENUINFO at the start of it, so screen
// readers say the caption; the painter reads the node. Lives as long as its row.
struct MenuItemData {
    MSAAMENUINFO accessible{};
    MenuNode* node = nullptr;
    std::wstring name; // the caption in UTF-16, "&" marks included as in any menu string
};

// The node of a row's item data; null for none.
const MenuNode* NodeOfItem(ULONG_PTR itemData);

class PopupMenuBinder {
public:
    // maxCommandId: the highest identifier handed out; menus take 16-bit identifiers.
    explicit PopupMenuBinder(UINT maxCommandId = 0xFFFE) : maxCommandId_(maxCommandId) {}
    PopupMenuBinder(const PopupMenuBinder&) = delete;
    PopupMenuBinder& operator=(const PopupMenuBinder&) = delete;
    ~PopupMenuBinder() { Close(); }

    // Builds the top level of the menu; the result stays owned by the binder. Windows fills
    // each menu's edge around its items with the system's menu colour, or with `edge` when
    // one is given.
    HMENU Open(MenuNode& root, std::optional<COLORREF> edge = std::nullopt);
    // WM_INITMENUPOPUP: fills a submenu of the open menu the first time it shows.
    void FillOnOpen(HMENU submenu);
    // The node behind a command identifier returned by TrackPopupMenu; null when unknown.
    MenuNode* NodeOfCommand(UINT id) const;
    // The node a built menu shows the children of; null when unknown.
    const MenuNode* NodeOfMenu(HMENU menu) const;
    // Repaints the row's item where its menu is on the screen, and nothing else: no erase,
    // no other item. Nothing when the row's menu is not showing.
    void RepaintRow(const MenuNode& row) const;
    // WM_MENUCHAR: what the letter typed into the built menu does (MNC_EXECUTE, MNC_SELECT
    // with the row, or MNC_IGNORE); key holds the character in code-page bytes.
    LRESULT AnswerLetter(HMENU menu, const std::string& key, CodePageApi& codePage) const;
    // Destroys the whole menu (DestroyMenu also takes every attached submenu).
    void Close();

    bool IsOpen() const { return static_cast<bool>(root_); }
    std::size_t BuiltSubmenus() const { return menus_.size(); }

private:
    // A menu handle made for a node, its rows once filled.
    struct BuiltMenu {
        MenuNode* node = nullptr;
        bool filled = false;
        std::vector<std::unique_ptr<MenuItemData>> rows;
    };

    HMENU NewPopupMenu() const;
    void Fill(HMENU menu, BuiltMenu& built);
    void InsertItem(HMENU menu, BuiltMenu& built, MenuNode& child);
    UINT CommandIdFor(MenuNode& child);

    UINT maxCommandId_;
    OwnedGdiObject edgeBrush_; // outlives every menu that paints with it
    OwnedMenu root_;
    std::unordered_map<HMENU, BuiltMenu> menus_; // built but possibly not yet filled
    std::vector<MenuNode*> commands_;            // identifier i + 1
};

} // namespace vantrel::win32
