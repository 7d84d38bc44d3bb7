#include "win32/Win32Shell.h"

#include "win32/WinHeaders.h"

#include <shellapi.h>
#include <shlobj.h>

namespace vantrel::win32 {

namespace {
// A null pointer and an empty string mean different things to the shell; keep them apart.
const char* OrNull(const std::optional<std::string>& text) {
    return text ? text->c_str() : nullptr;
}
} // namespace

std::intptr_t Win32Shell::Execute(const ShellLaunch& launch) {
    const HINSTANCE result =
        ShellExecuteA(nullptr, launch.verb.c_str(), launch.file.c_str(),
                      OrNull(launch.parameters), OrNull(launch.directory), launch.showCommand);
    return reinterpret_cast<std::intptr_t>(result);
}

bool Win32Shell::IsUserAnAdmin() { return ::IsUserAnAdmin() != FALSE; }

} // namespace vantrel::win32
