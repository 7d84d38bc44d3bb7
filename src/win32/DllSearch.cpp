#include "win32/DllSearch.h"

#include "win32/WideText.h"

#include <string>

namespace vantrel::win32 {

namespace {
#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
constexpr DWORD LOAD_LIBRARY_SEARCH_SYSTEM32 = 0x00000800;
#endif

bool HasSafeSearchFlags() {
    // SetDefaultDllDirectories exists from Windows 8 on, and on 7 with KB2533623; the
    // LOAD_LIBRARY_SEARCH flags are available exactly when it is.
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    return kernel && GetProcAddress(kernel, "SetDefaultDllDirectories") != nullptr;
}
} // namespace

void RestrictDllSearchToSystem32() {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (!kernel)
        return;
    using SetDefaultFn = BOOL(WINAPI*)(DWORD);
    const auto setDefault = reinterpret_cast<SetDefaultFn>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (setDefault)
        setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Also removes the current directory from the classic search order.
    SetDllDirectoryW(L"");
}

HMODULE LoadSystemLibrary(const char* name) {
    if (HasSafeSearchFlags())
        return LoadLibraryExW(Widen(name, TextEncoding::Ansi).c_str(), nullptr,
                              LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Older systems: name the file by its full System32 path.
    wchar_t directory[MAX_PATH];
    const UINT length = GetSystemDirectoryW(directory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    const std::wstring path =
        std::wstring(directory, length) + L"\\" + Widen(name, TextEncoding::Ansi);
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

} // namespace vantrel::win32
