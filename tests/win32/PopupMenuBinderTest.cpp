#include "tree/Entries.h"
#include "win32/Handles.h"
#include "win32/PopupMenuBinder.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace vantrel::win32
