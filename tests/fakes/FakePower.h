#pragma once
// Recording stand-in for session and power requests: nothing is ever really locked,
// suspended or shut down by a test.

#include "platform/PowerApi.h"

namespace vantrel::testing {

struct CallLog;

class FakePower : public PowerApi {
  public:
    explicit FakePower(CallLog& log) : log_(log) {}
    bool privilegeEnabled = true; // what EnableShutdownPrivilege answers

    void BroadcastMessage(std::uint32_t message, std::uintptr_t wParam,
                          std::intptr_t lParam) override;
    bool LockWorkStation() override;
    bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reason) override;
    bool SetSuspendState(bool hibernate, bool forceCritical, bool disableWakeEvent) override;
    bool EnableShutdownPrivilege() override;

  private:
    CallLog& log_;
};

} // namespace vantrel::testing
