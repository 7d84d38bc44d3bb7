// logonrun: starts the per-user Run value of a program the way Windows does at logon,
// CreateProcess with the value as the whole command line and no program name, so an unquoted
// path with a blank is tried piece by piece ("C:\My.exe" before "C:\My Tools\Vantrel.exe").
// The process is created suspended and ended before it runs a single instruction.
// Prints one line "started=<full path of the program that would have run>" ("started=" when
// the value is missing or nothing could be started; the exit status is then 1).
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string RunValue(const char* name) {
    char data[1024] = {};
    DWORD size = sizeof data - 1;
    if (RegGetValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", name,
                     RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
        return "";
    return data;
}

std::string StartedImage(std::string commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                        nullptr, nullptr, &startup, &process))
        return "";
    char image[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    QueryFullProcessImageNameA(process.hProcess, 0, image, &size);
    TerminateProcess(process.hProcess, 0);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return image;
}

} // namespace

int main(int argc, char** argv) {
    const std::string value = RunValue(argc > 1 ? argv[1] : "Vantrel");
    const std::string image = value.empty() ? "" : StartedImage(value);
    std::printf("started=%s\n", image.c_str());
    return image.empty() ? 1 : 0;
}
