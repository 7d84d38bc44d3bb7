#include "update/StartupSwitch.h"

#include "app/MainForm.h"

namespace vantrel {

std::string RunValueOf(const std::string& programPath) {
    return "\"" + programPath + "\"";
}

bool IsOurRunValue(const std::string& value, const std::string& programPath) {
    return !programPath.empty() && (value == programPath || value == RunValueOf(programPath));
}

void ToggleRunAtStartup(MenuNode& entry, RegistryWriteApi& registry,
                        const std::string& programPath) {
    entry.checked = !entry.checked;
    if (!entry.checked)
        registry.DeleteUserValue(RunKeyPath, ProgramTitle);
    else if (!programPath.empty()) // an empty value would start nothing, or something else
        registry.SetUserString(RunKeyPath, ProgramTitle, RunValueOf(programPath));
}

} // namespace vantrel
