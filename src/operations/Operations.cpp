#include "operations/Operations.h"

namespace vantrel {

const char* const OperationQuestion = "Are you sure you want to run this operation?";
const char* const OperationConfirmTitle = "Confirm";

namespace {
constexpr std::uint32_t WmSysCommand = 0x0112;
constexpr std::uintptr_t ScScreenSave = 0xF140;
constexpr std::uintptr_t ScMonitorPower = 0xF170;
constexpr std::intptr_t MonitorLowPower = 1; // 2 would switch the monitor off altogether

constexpr std::uint32_t EwxLogoff = 0;
constexpr std::uint32_t EwxShutdown = 1;
constexpr std::uint32_t EwxReboot = 2;
constexpr std::uint32_t EwxForce = 4; // other programs are not asked
constexpr std::uint32_t EwxPowerOff = 8;

enum class Call { ScreenSaver, Lock, MonitorSleep, ExitWindows, Sleep, Hibernate };

struct Operation {
    Command command;
    Call call;
    std::uint32_t exitFlags; // ExitWindowsEx only
};

const Operation Operations[] = {
    {Command::Screensaver, Call::ScreenSaver, 0},
    {Command::LockWorkstation, Call::Lock, 0},
    {Command::Logoff, Call::ExitWindows, EwxLogoff | EwxForce},
    {Command::Sleep, Call::Sleep, 0},
    {Command::Hibernate, Call::Hibernate, 0},
    {Command::MonitorSleep, Call::MonitorSleep, 0},
    {Command::Reboot, Call::ExitWindows, EwxReboot | EwxForce},
    {Command::Shutdown, Call::ExitWindows, EwxShutdown | EwxForce},
    {Command::PowerOff, Call::ExitWindows, EwxPowerOff | EwxForce},
};

const Operation* FindOperation(Command command) {
    for (const Operation& operation : Operations)
        if (operation.command == command)
            return &operation;
    return nullptr;
}

// Whatever ends the session or suspends the machine may be the last chance to save.
bool EndsSessionOrSuspends(Call call) {
    return call == Call::ExitWindows || call == Call::Sleep || call == Call::Hibernate;
}

void MakeCall(const Operation& operation, PowerApi& power) {
    switch (operation.call) {
    case Call::ScreenSaver:
        power.BroadcastMessage(WmSysCommand, ScScreenSave, 0);
        break;
    case Call::Lock:
        power.LockWorkStation();
        break;
    case Call::MonitorSleep:
        power.BroadcastMessage(WmSysCommand, ScMonitorPower, MonitorLowPower);
        break;
    case Call::ExitWindows:
        power.ExitWindowsEx(operation.exitFlags, OperationShutdownReason);
        break;
    case Call::Sleep:
        power.SetSuspendState(false, true, false);
        break;
    case Call::Hibernate:
        power.SetSuspendState(true, true, false);
        break;
    }
}
} // namespace

void RunOperation(Command command, Platform& platform, const ProcessFacts& facts,
                  const std::function<void()>& saveConfiguration) {
    const Operation* operation = FindOperation(command);
    if (!operation)
        return;
    if (platform.ui.AskYesNo(OperationQuestion, OperationConfirmTitle, DefaultAnswer::Yes) != MessageBoxResult::Yes)
        return;
    if (EndsSessionOrSuspends(operation->call)) {
        if (facts.startupComplete)
            saveConfiguration();
        // Without the privilege the call simply has no effect; it is made all the same.
        platform.power.EnableShutdownPrivilege();
    }
    MakeCall(*operation, platform.power);
}

} // namespace vantrel
