#pragma once
// Recording stand-in for registry writes. It changes the values of the fake registry, so
// a value written here is what the next read finds.

#include "platform/RegistryWriteApi.h"

namespace vantrel::testing {

struct CallLog;
class FakeRegistry;

class FakeRegistryWrite : public RegistryWriteApi {
  public:
    FakeRegistryWrite(CallLog& log, FakeRegistry& registry) : log_(log), registry_(registry) {}
    bool keyOpens = true; // false: every call fails before changing anything

    bool SetUserString(const std::string& keyPath, const std::string& valueName,
                       const std::string& text) override;
    bool DeleteUserValue(const std::string& keyPath, const std::string& valueName) override;

  private:
    CallLog& log_;
    FakeRegistry& registry_;
};

} // namespace vantrel::testing
