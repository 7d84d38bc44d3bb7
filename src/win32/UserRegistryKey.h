#pragma once
// A key of HKEY_CURRENT_USER, closed on every path.

#include "win32/WideText.h"

#include <string>

namespace vantrel::win32 {

class UserRegistryKey {
public:
    UserRegistryKey(const std::string& path, REGSAM access) {
        if (RegOpenKeyExW(HKEY_CURRENT_USER, WidenUtf8(path).c_str(), 0, access, &key_) !=
            ERROR_SUCCESS)
            key_ = nullptr;
    }
    UserRegistryKey(const UserRegistryKey&) = delete;
    UserRegistryKey& operator=(const UserRegistryKey&) = delete;
    ~UserRegistryKey() {
        if (key_)
            RegCloseKey(key_);
    }
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

} // namespace vantrel::win32
