#pragma once
// Recording stand-in for the shell: every launch becomes one log line
// ("ShellExecute verb=runas file=mmc.exe params=x dir=<null> show=1") and one structured
// record, so tests can compare either.

#include "platform/ShellApi.h"

#include <string>
#include <vector>

namespace vantrel::testing {

struct CallLog;

class FakeShell : public ShellApi {
public:
    explicit FakeShell(CallLog& log) : log_(log) {}
    bool isAdmin = false;
    std::intptr_t executeResult = 42; // what ShellExecuteA answers; above 32 is success
    std::vector<ShellLaunch> launches;

    std::intptr_t Execute(const ShellLaunch& launch) override;
    bool IsUserAnAdmin() override;

    // The log line a launch produces; "<null>" stands for a null pointer.
    static std::string Describe(const ShellLaunch& launch);

private:
    CallLog& log_;
};

} // namespace vantrel::testing
