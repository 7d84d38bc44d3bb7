#include "win32/Win32RegistryWrite.h"

#include "win32/WinHeaders.h"

namespace vantrel::win32 {

namespace {
// A key of HKEY_CURRENT_USER opened for writing, closed on every path.
class WritableUserKey {
public:
    explicit WritableUserKey(const std::string& path) {
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_WRITE, &key_) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    WritableUserKey(const WritableUserKey&) = delete;
    WritableUserKey& operator=(const WritableUserKey&) = delete;
    ~WritableUserKey() {
        if (key_)
            RegCloseKey(key_);
    }
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};
} // namespace

bool Win32RegistryWrite::SetUserString(const std::string& keyPath, const std::string& valueName,
                                       const std::string& text) {
    const WritableUserKey key(keyPath);
    if (!key.Get())
        return false;
    // The stored size counts the terminating zero.
    return RegSetValueExA(key.Get(), valueName.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool Win32RegistryWrite::DeleteUserValue(const std::string& keyPath,
                                         const std::string& valueName) {
    const WritableUserKey key(keyPath);
    return key.Get() && RegDeleteValueA(key.Get(), valueName.c_str()) == ERROR_SUCCESS;
}

} // namespace vantrel::win32
