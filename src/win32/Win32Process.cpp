#include "win32/Win32Process.h"

#include "win32/ComLibrary.h"
#include "win32/WideText.h"

#include <vector>

namespace vantrel::win32 {

namespace {
// Looks up an optional kernel32 export: WOW64 entry points are absent on 32-bit Windows.
template <typename Fn>
Fn KernelExport(const char* name) {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (!kernel)
        return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(kernel, name)));
}
} // namespace

Win32Process::Win32Process()
    : disable_(KernelExport<DisableFn>("Wow64DisableWow64FsRedirection")),
      revert_(KernelExport<RevertFn>("Wow64RevertWow64FsRedirection")) {}

bool Win32Process::InitializeCom() {
    return InitializeComOnThisThread();
}

void Win32Process::UninitializeCom() { UninitializeComOnThisThread(); }

bool Win32Process::QueryIsWow64() {
    using IsWow64Fn = BOOL(WINAPI*)(HANDLE, PBOOL);
    const auto isWow64Process = KernelExport<IsWow64Fn>("IsWow64Process");
    BOOL result = FALSE;
    return isWow64Process && isWow64Process(GetCurrentProcess(), &result) && result;
}

void Win32Process::DisableRedirection(RedirectionCookie* cookie) {
    if (!disable_)
        return;
    void* value = nullptr;
    disable_(&value);
    *cookie = reinterpret_cast<RedirectionCookie>(value);
}

void Win32Process::RevertRedirection(RedirectionCookie cookie) {
    if (revert_)
        revert_(reinterpret_cast<void*>(cookie));
}

std::uint32_t Win32Process::GetVersion() {
    // GetVersion is deprecated for new code but is exactly the value the menus depend on.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    return static_cast<std::uint32_t>(::GetVersion());
#pragma GCC diagnostic pop
}

std::string Win32Process::WindowsDirectory() {
    char buffer[280];
    const UINT length = GetWindowsDirectoryA(buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer)
        return {};
    return std::string(buffer, length);
}

std::string Win32Process::ModuleFileName() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size())
            return ToUtf8(buffer.data(), length);
        buffer.resize(buffer.size() * 2); // truncated: a long path, try again
    }
}

void Win32Process::Sleep(unsigned milliseconds) { ::Sleep(milliseconds); }

} // namespace vantrel::win32
