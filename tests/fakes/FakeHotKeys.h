#pragma once
// Global shortcuts as a test sets them up: some are held by other programs, the rest can be
// had; what the program holds, by id.

#include "platform/HotKeyApi.h"

#include <map>
#include <vector>

namespace vantrel::testing {

struct CallLog;

class FakeHotKeys : public HotKeyApi {
  public:
    explicit FakeHotKeys(CallLog& log) : log_(log) {}
    std::vector<Shortcut> takenElsewhere;
    std::map<int, Shortcut> held;
    bool throwOnRegister = false; // as a failed allocation would

    bool Register(int id, const Shortcut& shortcut) override;
    void Unregister(int id) override;

  private:
    CallLog& log_;
};

} // namespace vantrel::testing
