#pragma once

#include "platform/RegistryApi.h"

namespace vantrel::win32 {

class Win32Registry : public RegistryApi {
public:
    std::optional<StringValue> ReadUserValue(const std::string& keyPath,
                                             const std::string& valueName,
                                             unsigned bufferSize) override;
};

} // namespace vantrel::win32
