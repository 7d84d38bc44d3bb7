#pragma once
// The per-user part of the registry.

#include <optional>
#include <string>

namespace vantrel {

class RegistryApi {
public:
    virtual ~RegistryApi() = default;

    struct StringValue {
        std::string bytes;   // what the read returned, terminating zero included if stored
        unsigned size = 0;   // the size the read reported
    };
    // Reads a value of a key under HKEY_CURRENT_USER opened for reading, with a buffer of
    // bufferSize bytes. Empty when the key does not open or the read fails (for instance
    // because the value does not fit).
    virtual std::optional<StringValue> ReadUserValue(const std::string& keyPath,
                                                     const std::string& valueName,
                                                     unsigned bufferSize) = 0;
};

} // namespace vantrel
