// traystart: starts a tray program and measures it from inside Wine, where a polling loop is
// far finer than starting a lister from a shell script every few tens of milliseconds.
// Prints one line: "pid=<n> icon_ms=<t> working_set_kb=<n> private_kb=<n>", where icon_ms is
// the time from CreateProcess to a new tray icon window and the memory figures are read after
// the program has settled. The program is left running; the caller ends it.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

namespace {

// Wine's notification area shows each icon as a child window of this class.
constexpr wchar_t kTrayIconClass[] = L"__winex11_tray_icon";

BOOL CALLBACK countIfTrayIcon(HWND window, LPARAM counter) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (std::wcscmp(name, kTrayIconClass) == 0)
        ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

BOOL CALLBACK countInTopLevel(HWND window, LPARAM counter) {
    countIfTrayIcon(window, counter);
    EnumChildWindows(window, countIfTrayIcon, counter);
    return TRUE;
}

int trayIconCount() {
    int count = 0;
    EnumWindows(countInTopLevel, reinterpret_cast<LPARAM>(&count));
    return count;
}

double millisecondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 /
           static_cast<double>(frequency.QuadPart);
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

bool startProcess(const std::string& exe, PROCESS_INFORMATION& info) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + exe + "\"";
    const std::string folder = folderOf(exe);
    // Detached, so the program does not hold our output pipe open after we end.
    return CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                          DETACHED_PROCESS, nullptr, folder.c_str(), &startup, &info) != FALSE;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: traystart EXE [settle_ms] [timeout_ms]\n", stderr);
        return 2;
    }
    const std::string exe = argv[1];
    const DWORD settleMs = argc > 2 ? static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10)) : 1000;
    const double timeoutMs = argc > 3 ? std::strtod(argv[3], nullptr) : 20000.0;

    const int iconsBefore = trayIconCount();
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    PROCESS_INFORMATION info{};
    if (!startProcess(exe, info)) {
        std::fprintf(stderr, "traystart: cannot start %s (error %lu)\n", exe.c_str(),
                     GetLastError());
        return 1;
    }
    double iconMs = -1;
    while (iconMs < 0) {
        if (trayIconCount() > iconsBefore)
            iconMs = millisecondsSince(start);
        else if (millisecondsSince(start) > timeoutMs)
            break;
        else
            Sleep(1);
    }
    Sleep(settleMs);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(info.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                         sizeof memory);
    std::printf("pid=%lu icon_ms=%.1f working_set_kb=%lu private_kb=%lu\n", info.dwProcessId,
                iconMs, static_cast<unsigned long>(memory.WorkingSetSize / 1024),
                static_cast<unsigned long>(memory.PrivateUsage / 1024));
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return iconMs < 0 ? 1 : 0;
}
