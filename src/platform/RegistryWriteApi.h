#pragma once
// Changes to values under HKEY_CURRENT_USER. Each call opens the key for writing (KEY_WRITE),
// makes its one change and closes the key again.

#include <string>

namespace vantrel {

class RegistryWriteApi {
  public:
    virtual ~RegistryWriteApi() = default;
    // Writes text (UTF-8) as REG_SZ, its terminating zero included. False when the key does not
    // open or the value cannot be written.
    virtual bool SetUserString(const std::string& keyPath, const std::string& valueName,
                               const std::string& text) = 0;
    // False when the key does not open or the value cannot be deleted (also when it is
    // not there).
    virtual bool DeleteUserValue(const std::string& keyPath, const std::string& valueName) = 0;
};

} // namespace vantrel
