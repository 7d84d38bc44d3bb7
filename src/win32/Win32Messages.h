#pragma once
// Posting to the main form's window, from any thread (user32).

#include "platform/MessageApi.h"
#include "win32/WinHeaders.h"

#include <atomic>

namespace vantrel::win32 {

class Win32Messages final : public MessageApi {
public:
    // The main form's window, once it exists; until then nothing can be posted.
    void SetWindow(HWND window) { window_ = window; }
    bool PostToMainForm(std::uint32_t message, std::uintptr_t wParam,
                        std::intptr_t lParam) override;

private:
    std::atomic<HWND> window_{nullptr};
};

} // namespace vantrel::win32
