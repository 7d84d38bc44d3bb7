// logonrun: starts the per-user Run value of a program the way Windows does at logon,
// CreateProcess with the value as the whole command line and no program name, so an unquoted
// path with a blank is tried piece by piece ("C:\My.exe" before "C:\My Tools\Vantrel.exe").
// The process is created suspended and ended before it runs a single instruction.
// Prints one line "started=<full path of the program that would have run>" in UTF-8, so a
// path in any script reaches the test whole ("started=" when the value is missing or nothing
// could be started; the exit status is then 1).
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::wstring RunValue(const wchar_t* name) {
    wchar_t data[1024] = {};
    DWORD size = sizeof data - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                     name, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
        return L"";
    return data;
}

std::wstring StartedImage(std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                        nullptr, nullptr, &startup, &process))
        return L"";
    wchar_t image[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    QueryFullProcessImageNameW(process.hProcess, 0, image, &size);
    TerminateProcess(process.hProcess, 0);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return image;
}

std::string Utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8.data(), size, nullptr, nullptr);
    return utf8.c_str();
}

} // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const std::wstring value = RunValue(argc > 1 ? argv[1] : L"Vantrel");
    const std::wstring image = value.empty() ? L"" : StartedImage(value);
    std::printf("started=%s\n", Utf8(image).c_str());
    return image.empty() ? 1 : 0;
}
