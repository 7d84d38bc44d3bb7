#include "fakes/FakeShell.h"

#include "fakes/FakePlatform.h"

namespace vantrel::testing {

namespace {
std::string OrNull(const std::optional<std::string>& text) { return text ? *text : "<null>"; }
} // namespace

std::string FakeShell::Describe(const ShellLaunch& launch) {
    const char* call = launch.encoding == TextEncoding::Utf8 ? "ShellExecuteW" : "ShellExecute";
    return std::string(call) + " verb=" + launch.verb + " file=" + launch.file +
           " params=" + OrNull(launch.parameters) + " dir=" + OrNull(launch.directory) +
           " show=" + std::to_string(launch.showCommand);
}

std::intptr_t FakeShell::Execute(const ShellLaunch& launch) {
    log_.Add(Describe(launch));
    launches.push_back(launch);
    return executeResult;
}

bool FakeShell::IsUserAnAdmin() {
    log_.Add(std::string("IsUserAnAdmin ") + (isAdmin ? "yes" : "no"));
    return isAdmin;
}

} // namespace vantrel::testing
