#include "win32/Win32Power.h"

#include "win32/OnDemandLibrary.h"

namespace vantrel::win32 {

namespace {
// powrprof is not imported: it is not a known DLL, so an import would be searched for in
// the program's own folder first.
constexpr const char* PowerLibrary = "powrprof.dll";
using SetSuspendStateFn = BOOLEAN(WINAPI*)(BOOLEAN, BOOLEAN, BOOLEAN);
// How long a broadcast waits for each window that is slow but not yet known to be hung.
constexpr UINT BroadcastWaitMs = 1000;

class ProcessToken {
public:
    ProcessToken() {
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY,
                              &token_))
            token_ = nullptr;
    }
    ProcessToken(const ProcessToken&) = delete;
    ProcessToken& operator=(const ProcessToken&) = delete;
    ~ProcessToken() {
        if (token_)
            CloseHandle(token_);
    }
    HANDLE Get() const { return token_; }

private:
    HANDLE token_ = nullptr;
};
} // namespace

void Win32Power::BroadcastMessage(std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam) {
    // A plain SendMessage waits for every window to answer, for ever when one of them belongs
    // to a hung program (issue 18): skip the windows the system knows to be hung and give
    // each of the others a bounded wait.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(HWND_BROADCAST, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                        BroadcastWaitMs, &ignored);
}

bool Win32Power::LockWorkStation() { return ::LockWorkStation() != FALSE; }

bool Win32Power::ExitWindowsEx(std::uint32_t flags, std::uint32_t reason) {
    return ::ExitWindowsEx(flags, reason) != FALSE;
}

bool Win32Power::SetSuspendState(bool hibernate, bool forceCritical, bool disableWakeEvent) {
    const OnDemandLibrary library(PowerLibrary);
    const auto suspend = library.Find<SetSuspendStateFn>("SetSuspendState");
    if (!suspend)
        return false;
    // Returns after the machine has woken up again.
    return suspend(hibernate ? TRUE : FALSE, forceCritical ? TRUE : FALSE,
                   disableWakeEvent ? TRUE : FALSE) != FALSE;
}

bool Win32Power::EnableShutdownPrivilege() {
    const ProcessToken token;
    if (!token.Get())
        return false;
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    // Like the adjustment, the look-up is not checked: without the privilege the request
    // that follows simply has no effect.
    LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid);
    AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr);
    return true;
}

bool Win32Power::CanSuspend() {
    const OnDemandLibrary library(PowerLibrary);
    return library.Find<SetSuspendStateFn>("SetSuspendState") != nullptr;
}

} // namespace vantrel::win32
