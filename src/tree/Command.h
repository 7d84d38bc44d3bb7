#pragma once
// What a click on a menu item does. The tree stores the command, not a callback, so the
// tree needs nothing from the forms; the main form dispatches each command to its handler.

namespace vantrel {

enum class Command {
    None,
    // Entry commands.
    AddNewItem,     // PopupMenuAddNewItemClick
    EditItem,       // PopupMenuEditNewItemClick
    DeleteItem,     // PopupMenuDelItemClick
    MoveUp,         // PopupMenuMoveUpClick
    MoveDown,       // PopupMenuMoveDownClick
    OpenLink,       // PopupMenuOpenLinkClick
    CopyLink,       // PopupMenuCopyLinkClick
    OpenWithIE,     // PopupMenuIEOpenLinkClick
    OpenWithFirefox, // PopupMenuFFOpenLinkClick
    OpenWithChrome, // PopupMenuCHOpenLinkClick
    OpenWithOpera,  // PopupMenuOPOpenLinkClick
    // Generated menus.
    SystemLink,     // PopupMenuSystemClick
    // Operations.
    Screensaver,
    LockWorkstation,
    Logoff,
    Sleep,
    Hibernate,
    MonitorSleep,
    Reboot,
    Shutdown,
    PowerOff,
    // Program commands.
    HomePage,       // HomePage1Click and PopupMenuSubHomePageClick
    CheckForUpdates,
    About,
    Find,           // opens the Find window
    Settings,
    RunAtStartup,
    Exit,
};

} // namespace vantrel
