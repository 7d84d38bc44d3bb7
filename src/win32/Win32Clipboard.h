#pragma once
// The clipboard (user32) with global memory blocks (kernel32).

#include "platform/ClipboardApi.h"
#include "win32/WinHeaders.h"

namespace vantrel::win32 {

class Win32Clipboard final : public ClipboardApi {
public:
    // The owner must be a window of this program: with a null owner, emptying the clipboard
    // leaves it without an owner and Windows then fails every SetClipboardData (Wine accepts
    // them, so only Windows shows the mistake).
    explicit Win32Clipboard(HWND owner = nullptr) : owner_(owner) {}
    void SetOwner(HWND owner) { owner_ = owner; }

    bool Open() override;
    bool Empty() override;
    std::uint32_t SystemDefaultLocale() override;
    bool PlaceLocale(std::uint32_t localeId) override;
    bool PlaceText(const std::string& text) override;
    void Close() override;

private:
    HWND owner_;
};

} // namespace vantrel::win32
