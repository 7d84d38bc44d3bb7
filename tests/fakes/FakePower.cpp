#include "fakes/FakePower.h"

#include "fakes/FakePlatform.h"

#include <sstream>

namespace vantrel::testing {

namespace {
std::string Hex(std::uint64_t value) {
    std::ostringstream text;
    text << "0x" << std::hex << value;
    return text.str();
}
} // namespace

void FakePower::BroadcastMessage(std::uint32_t message, std::uintptr_t wParam,
                                 std::intptr_t lParam) {
    log_.Add("Broadcast msg=" + Hex(message) + " wParam=" + Hex(wParam) +
             " lParam=" + std::to_string(lParam));
}

bool FakePower::LockWorkStation() {
    log_.Add("LockWorkStation");
    return true;
}

bool FakePower::ExitWindowsEx(std::uint32_t flags, std::uint32_t reason) {
    log_.Add("ExitWindowsEx flags=" + std::to_string(flags) + " reason=" + Hex(reason));
    return true;
}

bool FakePower::SetSuspendState(bool hibernate, bool forceCritical, bool disableWakeEvent) {
    log_.Add("SetSuspendState hibernate=" + std::to_string(hibernate) + " force=" +
             std::to_string(forceCritical) + " disableWake=" + std::to_string(disableWakeEvent));
    return true;
}

bool FakePower::EnableShutdownPrivilege() {
    log_.Add("EnableShutdownPrivilege");
    return privilegeEnabled;
}

} // namespace vantrel::testing
