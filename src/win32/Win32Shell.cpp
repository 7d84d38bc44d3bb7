#include "win32/Win32Shell.h"

#include "win32/WideText.h"

#include <shellapi.h>
#include <shlobj.h>

namespace vantrel::win32 {

namespace {
// A null pointer and an empty string mean different things to the shell; keep them apart.
const char* OrNull(const std::optional<std::string>& text) {
    return text ? text->c_str() : nullptr;
}

const wchar_t* OrNull(const std::optional<std::wstring>& text) {
    return text ? text->c_str() : nullptr;
}

std::optional<std::wstring> WidenIfAny(const std::optional<std::string>& text) {
    if (!text)
        return std::nullopt;
    return WidenUtf8(*text);
}

// Entries' texts go to the shell as they are stored; the system's own paths in full.
HINSTANCE ExecuteWide(const ShellLaunch& launch) {
    const std::optional<std::wstring> parameters = WidenIfAny(launch.parameters);
    const std::optional<std::wstring> directory = WidenIfAny(launch.directory);
    return ShellExecuteW(nullptr, WidenUtf8(launch.verb).c_str(),
                         WidenUtf8(launch.file).c_str(), OrNull(parameters),
                         OrNull(directory), launch.showCommand);
}

HINSTANCE ExecuteAnsi(const ShellLaunch& launch) {
    return ShellExecuteA(nullptr, launch.verb.c_str(), launch.file.c_str(),
                         OrNull(launch.parameters), OrNull(launch.directory), launch.showCommand);
}
} // namespace

std::intptr_t Win32Shell::Execute(const ShellLaunch& launch) {
    const HINSTANCE result =
        launch.encoding == TextEncoding::Utf8 ? ExecuteWide(launch) : ExecuteAnsi(launch);
    return reinterpret_cast<std::intptr_t>(result);
}

bool Win32Shell::IsUserAnAdmin() { return ::IsUserAnAdmin() != FALSE; }

} // namespace vantrel::win32
