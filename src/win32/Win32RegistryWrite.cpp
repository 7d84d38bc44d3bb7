#include "win32/Win32RegistryWrite.h"

#include "win32/UserRegistryKey.h"

namespace vantrel::win32 {


bool Win32RegistryWrite::SetUserString(const std::string& keyPath, const std::string& valueName,
                                       const std::string& text) {
    const UserRegistryKey key(keyPath, KEY_WRITE);
    if (!key.Get())
        return false;
    // The stored size counts the terminating zero.
    return RegSetValueExA(key.Get(), valueName.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool Win32RegistryWrite::DeleteUserValue(const std::string& keyPath,
                                         const std::string& valueName) {
    const UserRegistryKey key(keyPath, KEY_WRITE);
    return key.Get() && RegDeleteValueA(key.Get(), valueName.c_str()) == ERROR_SUCCESS;
}

} // namespace vantrel::win32
