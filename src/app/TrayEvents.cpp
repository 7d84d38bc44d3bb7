#include "app/TrayEvents.h"

namespace vantrel {

std::optional<TrayRequest> TrayEventFilter::Request(TrayEvent event, std::uint32_t nowMs) const {
    // Unsigned: the tick count's wrap-around leaves the difference right.
    const bool justClosed = closed_ && nowMs - closedAt_ < TrayEchoMs;
    switch (event) {
    case TrayEvent::LeftButtonDown:
        return TrayRequest{TrayMenu::Main, false};
    case TrayEvent::RightButtonDown:
    case TrayEvent::MiddleButtonDown:
        return TrayRequest{TrayMenu::Second, false};
    case TrayEvent::MouseSelect:
        return std::nullopt; // the button-down has opened the menu
    case TrayEvent::KeySelect:
        if (justClosed && closed_->keyboard && closed_->menu == TrayMenu::Main)
            return std::nullopt;
        return TrayRequest{TrayMenu::Main, true};
    case TrayEvent::ContextMenu:
        if (justClosed && !closed_->keyboard && closed_->menu == TrayMenu::Second)
            return std::nullopt;
        return TrayRequest{TrayMenu::Second, true};
    }
    return std::nullopt;
}

void TrayEventFilter::MenuClosed(const TrayRequest& request, std::uint32_t nowMs) {
    closed_ = request;
    closedAt_ = nowMs;
}

} // namespace vantrel
