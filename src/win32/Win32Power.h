#pragma once
// Session and power requests (user32, advapi32, and powrprof loaded on demand).

#include "platform/PowerApi.h"

namespace vantrel::win32 {

class Win32Power final : public PowerApi {
public:
    void BroadcastMessage(std::uint32_t message, std::uintptr_t wParam,
                          std::intptr_t lParam) override;
    bool LockWorkStation() override;
    bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reason) override;
    bool SetSuspendState(bool hibernate, bool forceCritical, bool disableWakeEvent) override;
    bool EnableShutdownPrivilege() override;

    // Whether the power-management library and its SetSuspendState can be found; lets a
    // test check the lookup without suspending anything.
    static bool CanSuspend();
};

} // namespace vantrel::win32
