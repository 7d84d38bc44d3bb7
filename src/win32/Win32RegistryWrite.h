#pragma once
// Registry writes under HKEY_CURRENT_USER (advapi32).

#include "platform/RegistryWriteApi.h"

namespace vantrel::win32 {

class Win32RegistryWrite final : public RegistryWriteApi {
public:
    bool SetUserString(const std::string& keyPath, const std::string& valueName,
                       const std::string& text) override;
    bool DeleteUserValue(const std::string& keyPath, const std::string& valueName) override;
};

} // namespace vantrel::win32
