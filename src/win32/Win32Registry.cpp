#include "win32/Win32Registry.h"

#include "win32/UserRegistryKey.h"

#include <algorithm>
#include <vector>

namespace vantrel::win32 {

std::optional<RegistryApi::StringValue>
Win32Registry::ReadUserValue(const std::string& keyPath, const std::string& valueName,
                             unsigned bufferUnits) {
    UserRegistryKey key(keyPath, KEY_READ);
    if (!key.Get())
        return std::nullopt;
    std::vector<wchar_t> buffer(bufferUnits);
    DWORD bytes = static_cast<DWORD>(bufferUnits * sizeof(wchar_t));
    if (RegQueryValueExW(key.Get(), WidenUtf8(valueName).c_str(), nullptr, nullptr,
                         reinterpret_cast<BYTE*>(buffer.data()), &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    // A stored value need not end in a zero, nor even fill whole units.
    const std::size_t units = std::min<std::size_t>(bytes / sizeof(wchar_t), bufferUnits);
    const auto end = std::find(buffer.begin(), buffer.begin() + static_cast<long>(units), L'\0');
    return StringValue{ToUtf8(buffer.data(), static_cast<std::size_t>(end - buffer.begin())),
                       static_cast<unsigned>((bytes + 1) / sizeof(wchar_t))};
}

} // namespace vantrel::win32
