#pragma once
// The per-user part of the registry.

#include <optional>
#include <string>

namespace vantrel {

class RegistryApi {
public:
    virtual ~RegistryApi() = default;

    struct StringValue {
        std::string text;  // what the read returned, in UTF-8, up to its first zero
        unsigned size = 0; // the size the read reported, in UTF-16 units
    };
    // Reads a text value of a key under HKEY_CURRENT_USER opened for reading, with a buffer
    // of bufferUnits UTF-16 units. Empty when the key does not open or the read fails (for
    // instance because the value does not fit).
    virtual std::optional<StringValue> ReadUserValue(const std::string& keyPath,
                                                     const std::string& valueName,
                                                     unsigned bufferUnits) = 0;
};

} // namespace vantrel
