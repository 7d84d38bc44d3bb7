#include "win32/Win32RegistryWrite.h"

#include "win32/UserRegistryKey.h"

namespace vantrel::win32 {

bool Win32RegistryWrite::SetUserString(const std::string& keyPath, const std::string& valueName,
                                       const std::string& text) {
    const UserRegistryKey key(keyPath, KEY_WRITE);
    if (!key.Get())
        return false;
    const std::wstring wide = WidenUtf8(text);
    // The stored size counts the terminating zero.
    return RegSetValueExW(key.Get(), WidenUtf8(valueName).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(wide.c_str()),
                          static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t))) ==
           ERROR_SUCCESS;
}

bool Win32RegistryWrite::DeleteUserValue(const std::string& keyPath,
                                         const std::string& valueName) {
    const UserRegistryKey key(keyPath, KEY_WRITE);
    return key.Get() && RegDeleteValueW(key.Get(), WidenUtf8(valueName).c_str()) == ERROR_SUCCESS;
}

} // namespace vantrel::win32
