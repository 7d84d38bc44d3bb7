#include "win32/Win32Registry.h"

#include "win32/WinHeaders.h"

#include <vector>

namespace vantrel::win32 {

namespace {
class OpenKey {
public:
    OpenKey(HKEY root, const std::string& path, REGSAM access) {
        if (RegOpenKeyExA(root, path.c_str(), 0, access, &key_) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    ~OpenKey() {
        if (key_)
            RegCloseKey(key_);
    }
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};
} // namespace

std::optional<RegistryApi::StringValue>
Win32Registry::ReadUserValue(const std::string& keyPath, const std::string& valueName,
                             unsigned bufferSize) {
    OpenKey key(HKEY_CURRENT_USER, keyPath, KEY_READ);
    if (!key.Get())
        return std::nullopt;
    std::vector<BYTE> buffer(bufferSize);
    DWORD size = bufferSize;
    if (RegQueryValueExA(key.Get(), valueName.c_str(), nullptr, nullptr, buffer.data(), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    const DWORD kept = size < bufferSize ? size : bufferSize;
    return StringValue{std::string(reinterpret_cast<const char*>(buffer.data()), kept),
                       static_cast<unsigned>(size)};
}

} // namespace vantrel::win32
