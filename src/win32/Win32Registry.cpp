#include "win32/Win32Registry.h"

#include "win32/UserRegistryKey.h"

#include <vector>

namespace vantrel::win32 {


std::optional<RegistryApi::StringValue>
Win32Registry::ReadUserValue(const std::string& keyPath, const std::string& valueName,
                             unsigned bufferSize) {
    UserRegistryKey key(keyPath, KEY_READ);
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
