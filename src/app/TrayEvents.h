#pragma once
// Which menu a notification of the tray icon opens. The mouse opens the menus on button-down,
// the left button the main menu, the others the program's own. The keyboard (the icon
// reached with Win+B and the arrow keys) opens the main menu with Enter or Space and the
// program's own with Shift+F10 or the Menu key. The shell follows a click with a
// notification of its own (a "select" after the left button, a context-menu request after the
// right one), and Enter reaches some shells twice: such an echo of a menu that has just
// closed opens nothing.

#include <cstdint>
#include <optional>

namespace vantrel {

enum class TrayEvent {
    LeftButtonDown,
    RightButtonDown,
    MiddleButtonDown,
    MouseSelect, // after a click
    KeySelect,   // Enter or Space
    ContextMenu, // Shift+F10 or the Menu key, or after a right click
};

enum class TrayMenu { Main, Second };

struct TrayRequest {
    TrayMenu menu = TrayMenu::Main;
    bool keyboard = false; // opens at the icon with its first row lit
};

// A notification this soon after the menu its kind opened has closed is that menu's echo.
constexpr std::uint32_t TrayEchoMs = 500;

class TrayEventFilter {
  public:
    // The menu the notification asks for, if any; nowMs from a millisecond tick count.
    std::optional<TrayRequest> Request(TrayEvent event, std::uint32_t nowMs) const;
    // The menu of the last request has closed (a command it ran included).
    void MenuClosed(const TrayRequest& request, std::uint32_t nowMs);

  private:
    std::optional<TrayRequest> closed_;
    std::uint32_t closedAt_ = 0;
};

} // namespace vantrel
