#include "tree/Entries.h"
#include "win32/Handles.h"
#include "win32/PopupMenuBinder.h"
#include "win32/WideText.h"

#include <gtest/gtest.h>

#include <string>

namespace vantrel::win32 {
namespace {

// A tree as wide and deep as a large configuration: 40 groups of 40 groups of 6 items.
std::unique_ptr<MenuNode> LargeTree() {
    auto root = std::make_unique<MenuNode>();
    for (int i = 0; i < 40; ++i) {
        MenuNode& group = CreateGroupEntry(*root, "group " + std::to_string(i), LinkKindRun, 0);
        for (int j = 0; j < 40; ++j) {
            MenuNode& inner = CreateGroupEntry(group, "inner", LinkKindRun, 0);
            inner.Append("leaf", 28, Command::OpenLink);
        }
    }
    return root;
}

HMENU SubmenuAt(HMENU menu, int position) { return GetSubMenu(menu, position); }

COLORREF EdgeColour(HMENU menu) {
    MENUINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIM_BACKGROUND;
    GetMenuInfo(menu, &info);
    LOGBRUSH brush{};
    if (!info.hbrBack || !GetObjectA(info.hbrBack, sizeof brush, &brush))
        return CLR_INVALID;
    return brush.lbColor;
}

TEST(PopupMenuBinderTest, BuildsOnlyWhatIsOpenedAndReleasesEverythingOnClose) {
    auto tree = LargeTree();
    const HandleCounts before = LiveHandleCounts();
    PopupMenuBinder binder;
    for (int round = 0; round < 1000; ++round) {
        // Every other showing fills the menus' edges with a colour of its own, as dark ones do.
        const bool edge = round % 2 == 1;
        HMENU root = binder.Open(*tree, edge ? std::optional<COLORREF>(0x002B2B2B) : std::nullopt);
        ASSERT_NE(root, nullptr);
        // The top level holds 40 groups: one empty submenu handle each, nothing deeper.
        EXPECT_EQ(GetMenuItemCount(root), 40);
        EXPECT_EQ(binder.BuiltSubmenus(), 41u);
        HMENU group = SubmenuAt(root, round % 40);
        binder.FillOnOpen(group);
        binder.FillOnOpen(group); // a second WM_INITMENUPOPUP adds nothing
        EXPECT_EQ(GetMenuItemCount(group), 42);
        for (HMENU menu : {root, group, SubmenuAt(group, 3)})
            EXPECT_EQ(EdgeColour(menu), edge ? 0x002B2B2Bu : CLR_INVALID);
        EXPECT_EQ(LiveHandleCounts().menus, before.menus + 1 + 40 + 41);
        binder.Close();
        EXPECT_EQ(LiveHandleCounts(), before);
    }
}

TEST(PopupMenuBinderTest, CommandIdentifiersMapBackToNodesAndSkipHiddenItems) {
    MenuNode root;
    root.Append("Home Page", 4, Command::HomePage);
    root.Append("Hidden", 62, Command::CheckForUpdates).visible = false;
    root.Append("-", -1);
    MenuNode& exit = root.Append("Exit", 0, Command::Exit);
    PopupMenuBinder binder;
    HMENU menu = binder.Open(root);
    ASSERT_EQ(GetMenuItemCount(menu), 3);
    const UINT exitId = GetMenuItemID(menu, 2);
    EXPECT_EQ(binder.NodeOfCommand(exitId), &exit);
    EXPECT_EQ(binder.NodeOfCommand(0), nullptr);
    EXPECT_EQ(binder.NodeOfCommand(999), nullptr);

    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    ASSERT_TRUE(GetMenuItemInfoA(menu, 1, TRUE, &info));
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
    EXPECT_TRUE(info.fType & MFT_SEPARATOR);
    binder.Close();
}

TEST(PopupMenuBinderTest, IdentifiersStayBelowTheMenuLimitWhateverTheTreeHolds) {
    // A small limit stands in for the 16-bit one: more commands than identifiers.
    MenuNode root;
    for (int i = 0; i < 300; ++i)
        root.Append("item", 28, Command::OpenLink);
    PopupMenuBinder binder(100);
    HMENU menu = binder.Open(root);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(GetMenuItemCount(menu), 300);
    EXPECT_EQ(GetMenuItemID(menu, 99), 100u);
    EXPECT_EQ(GetMenuItemID(menu, 299), 0u);
    EXPECT_EQ(binder.NodeOfCommand(100), &root.Child(99));
    EXPECT_EQ(binder.NodeOfCommand(101), nullptr);
    binder.Close();
}

// What a screen reader reads of a row: the caption in UTF-16 after Windows' signature.
std::wstring NameOfRow(HMENU menu, int position) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info) || !info.dwItemData)
        return L"<no data>";
    const auto* msaa = reinterpret_cast<const MSAAMENUINFO*>(info.dwItemData);
    if (msaa->dwMSAASignature != static_cast<DWORD>(MSAA_MENU_SIG))
        return L"<no signature>";
    return std::wstring(msaa->pszWText, msaa->cchWText) +
           (msaa->pszWText[msaa->cchWText] ? L"<unended>" : L"");
}

// Fixed rows, separators, submenus, the user's groups and items, their command submenus made
// on first use: every row names itself, for as long as its menu is built; a showing after a
// rename reads the new name.
TEST(PopupMenuBinderTest, EveryRowCarriesItsCaptionForScreenReaders) {
    MenuNode root;
    root.Append("Home Page", 4, Command::HomePage);
    root.Append("-", -1);
    MenuNode& category = root.Append("Caf\xE9 && &Bar", 54); // code-page bytes, "&" marks kept
    MenuNode& group = CreateGroupEntry(category, "Tools", LinkKindRun, 0);
    ItemFields ping;
    ping.title = "Ping";
    CreateItemEntry(group, ping);
    PopupMenuBinder binder;
    for (const char* title : {"Tools", "Renamed tools"}) {
        group.caption = title;
        HMENU menu = binder.Open(root);
        HMENU categoryMenu = GetSubMenu(menu, 2);
        binder.FillOnOpen(categoryMenu);
        HMENU groupMenu = GetSubMenu(categoryMenu, 0);
        binder.FillOnOpen(groupMenu);
        HMENU itemMenu = GetSubMenu(groupMenu, 2); // Actions, a separator, Ping
        binder.FillOnOpen(itemMenu);
        const std::wstring names[] = {NameOfRow(menu, 0),      NameOfRow(menu, 1),
                                      NameOfRow(menu, 2),      NameOfRow(categoryMenu, 0),
                                      NameOfRow(groupMenu, 0), NameOfRow(groupMenu, 2),
                                      NameOfRow(itemMenu, 2)};
        const std::wstring expected[] = {
            L"Home Page", L"",     L"Caf\u00E9 && &Bar", Widen(title, TextEncoding::Ansi),
            L"Actions",   L"Ping", L"Open Link"};
        for (std::size_t i = 0; i < std::size(names); ++i)
            EXPECT_EQ(names[i], expected[i]) << i;
        binder.Close();
    }
}

// Owns the shown menu: every owner-drawn item is 24 pixels high; drawing is not the point.
LRESULT CALLBACK MenuOwnerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MEASUREITEM) {
        auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        measure.itemWidth = 120;
        measure.itemHeight = 24;
        return TRUE;
    }
    if (message == WM_DRAWITEM)
        return TRUE;
    return DefWindowProcA(window, message, wParam, lParam);
}

// What the timer sees while the menu is open.
struct RepaintProbe {
    const PopupMenuBinder* binder = nullptr;
    const MenuNode* row = nullptr;
    HMENU menu = nullptr;
    bool pending = false; // something was left to paint
    RECT update{};
    RECT item{};
};
RepaintProbe* probe = nullptr;

BOOL CALLBACK FindShownMenu(HWND window, LPARAM found) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) != "#32768" || !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// Runs inside the menu's loop: paints what is pending, asks for one row, looks at what is
// now due for painting, and closes the menu.
void CALLBACK RepaintOneRow(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND window = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindShownMenu, reinterpret_cast<LPARAM>(&window));
    if (window) {
        UpdateWindow(window);
        probe->binder->RepaintRow(*probe->row);
        probe->pending = GetUpdateRect(window, &probe->update, FALSE) != FALSE;
        GetMenuItemRect(window, probe->menu, 2, &probe->item);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&probe->item), 2);
    }
    EndMenu();
}

// A picture that arrives while its menu is open repaints that row alone: no other row and no
// erased background, so nothing flickers.
TEST(PopupMenuBinderTest, APictureThatArrivesRepaintsItsRowAlone) {
    MenuNode root;
    for (const char* caption : {"first", "hidden", "second", "third", "fourth"})
        root.Append(caption, 28, Command::OpenLink);
    root.Child(1).visible = false; // the third row shown is the fourth child
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &MenuOwnerProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "RepaintProbeOwner";
    RegisterClassA(&windowClass);
    const HWND owner = CreateWindowExA(0, "RepaintProbeOwner", "", WS_POPUP, 0, 0, 0, 0, nullptr,
                                       nullptr, instance, nullptr);
    ASSERT_NE(owner, nullptr);
    PopupMenuBinder binder;
    RepaintProbe seen;
    seen.binder = &binder;
    seen.row = &root.Child(3);
    seen.menu = binder.Open(root);
    probe = &seen;
    SetTimer(nullptr, 0, 300, &RepaintOneRow);
    TrackPopupMenuEx(seen.menu, TPM_RETURNCMD | TPM_NONOTIFY, 200, 200, owner, nullptr);
    binder.Close();
    DestroyWindow(owner);

    ASSERT_TRUE(seen.pending);
    EXPECT_EQ(seen.update.left, seen.item.left);
    EXPECT_EQ(seen.update.top, seen.item.top);
    EXPECT_EQ(seen.update.right, seen.item.right);
    EXPECT_EQ(seen.update.bottom, seen.item.bottom);
    EXPECT_EQ(seen.item.bottom - seen.item.top, 24);
}

} // namespace
} // namespace vantrel::win32
