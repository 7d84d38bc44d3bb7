#pragma once
// Session and power requests to the operating system. None of them is ever made by a test:
// the fake records them.

#include <cstdint>

namespace vantrel {

class PowerApi {
  public:
    virtual ~PowerApi() = default;

    // Sends the message to every top-level window (HWND_BROADCAST) without waiting for ever:
    // another program's window that has stopped answering must not hang this one.
    virtual void BroadcastMessage(std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam) = 0;
    virtual bool LockWorkStation() = 0;
    virtual bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reason) = 0;
    // From the power-management library, loaded only when asked for; false when it or the
    // entry point is missing.
    virtual bool SetSuspendState(bool hibernate, bool forceCritical, bool disableWakeEvent) = 0;
    // Enables SeShutdownPrivilege in the process token, keeping the other privileges as
    // they are. False when the token cannot be opened for adjusting.
    virtual bool EnableShutdownPrivilege() = 0;
};

} // namespace vantrel
