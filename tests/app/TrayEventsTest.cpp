#include "app/TrayEvents.h"

#include <gtest/gtest.h>

#include <string>

namespace vantrel {
namespace {

struct Notification {
    TrayEvent event;
    std::uint32_t at; // a menu it opens closes 100 ms later
    const char* opens;
};

// The mouse opens the menus on button-down; the keyboard at the icon, first row lit; the
// shell's echo of a click, or of Enter, opens nothing.
TEST(TrayEventsTest, EveryNotificationOpensItsMenuOnce) {
    using E = TrayEvent;
    const Notification notifications[] = {
        {E::LeftButtonDown, 1000, "main"},
        {E::MouseSelect, 1101, ""},
        {E::KeySelect, 1150, "main by keys"},
        {E::KeySelect, 1300, ""},
        {E::KeySelect, 1800, "main by keys"},
        {E::RightButtonDown, 3000, "second"},
        {E::ContextMenu, 3200, ""},
        {E::ContextMenu, 3700, "second by keys"},
        {E::ContextMenu, 3900, "second by keys"},
        {E::MiddleButtonDown, 4010, "second"},
        {E::MouseSelect, 9000, ""},
        {E::KeySelect, 0xFFFFFE00, "main by keys"},
        {E::KeySelect, 0x50, ""}, // the tick count wrapped in between
    };
    TrayEventFilter filter;
    for (const Notification& n : notifications) {
        const std::optional<TrayRequest> request = filter.Request(n.event, n.at);
        std::string opens;
        if (request) {
            opens = request->menu == TrayMenu::Main ? "main" : "second";
            opens += request->keyboard ? " by keys" : "";
            filter.MenuClosed(*request, n.at + 100);
        }
        EXPECT_EQ(opens, n.opens) << n.at;
    }
}

} // namespace
} // namespace vantrel
