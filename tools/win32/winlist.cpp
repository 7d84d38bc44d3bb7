// winlist: prints the windows of the running Wine session, one per line, so shell scripts can
// find a tray icon or a popup menu and click it. Wine's tray icons are not X windows, so X
// tools cannot see them; a Win32 process enumerating windows sees them exactly.
//
// Columns, separated by tabs (the title is last because it may hold spaces):
//   pid  exe  hwnd  parent  visible  left  top  width  height  class  title
// hwnd and parent are hexadecimal; parent is 0 for top-level windows.
// With --processes it prints "pid<TAB>exe" for every process instead (message-only windows
// are not enumerated, so a program's process is best found this way).
// With --post MSG[:WPARAM] it also posts that message (numbers, decimal or 0x hex) to every
// window it lists: 16 is WM_CLOSE; tests use it to end a balloon early.
// Exit status: 0 when at least one window was printed, 1 when none matched, 2 on bad usage.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <map>
#include <string>

namespace {

struct Filter {
    DWORD pid = 0;
    std::wstring exe;
    std::wstring className;
    std::wstring title;
    bool visibleOnly = false;
    LONG styleBits = 0; // all of these window style bits must be set
    bool topLevelOnly = false;
    bool processesOnly = false;
    bool post = false;
    UINT postMessage = 0;
    WPARAM postWParam = 0;
};

struct Listing {
    Filter filter;
    std::map<DWORD, std::wstring> exeByPid;
    int printed = 0;
};

std::string toUtf8(const std::wstring& text) {
    if (text.empty())
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

std::wstring fromArgument(const char* text) {
    const int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring out(static_cast<size_t>(size > 0 ? size - 1 : 0), L'\0');
    if (size > 1)
        MultiByteToWideChar(CP_ACP, 0, text, -1, out.data(), size);
    return out;
}

std::map<DWORD, std::wstring> snapshotProcessNames() {
    std::map<DWORD, std::wstring> names;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return names;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry))
        names[entry.th32ProcessID] = entry.szExeFile;
    CloseHandle(snapshot);
    return names;
}

// Reads the title without sending WM_GETTEXT, so a hung program cannot hang the listing.
std::wstring windowTitle(HWND window) {
    wchar_t buffer[512] = {};
    InternalGetWindowText(window, buffer, 512);
    return buffer;
}

std::wstring windowClass(HWND window) {
    wchar_t buffer[256] = {};
    GetClassNameW(window, buffer, 256);
    return buffer;
}

// Tabs or line breaks in a title would break the columns.
std::wstring flattened(std::wstring text) {
    for (wchar_t& c : text)
        if (c == L'\t' || c == L'\r' || c == L'\n')
            c = L' ';
    return text;
}

bool matches(const Listing& listing, HWND window, DWORD pid, bool topLevel) {
    const Filter& f = listing.filter;
    if (f.topLevelOnly && !topLevel)
        return false;
    if (f.visibleOnly && !IsWindowVisible(window))
        return false;
    if (f.pid != 0 && f.pid != pid)
        return false;
    if ((GetWindowLongW(window, GWL_STYLE) & f.styleBits) != f.styleBits)
        return false;
    if (!f.className.empty() && _wcsicmp(f.className.c_str(), windowClass(window).c_str()) != 0)
        return false;
    if (!f.title.empty() && f.title != windowTitle(window))
        return false;
    if (!f.exe.empty()) {
        auto found = listing.exeByPid.find(pid);
        if (found == listing.exeByPid.end() || _wcsicmp(found->second.c_str(), f.exe.c_str()) != 0)
            return false;
    }
    return true;
}

void printWindow(Listing& listing, HWND window, bool topLevel) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (!matches(listing, window, pid, topLevel))
        return;
    RECT r{};
    GetWindowRect(window, &r);
    const HWND parent = topLevel ? nullptr : GetAncestor(window, GA_PARENT);
    auto exe = listing.exeByPid.find(pid);
    std::printf("%lu\t%s\t%lx\t%lx\t%d\t%ld\t%ld\t%ld\t%ld\t%s\t%s\n", pid,
                exe == listing.exeByPid.end() ? "?" : toUtf8(exe->second).c_str(),
                static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)),
                static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(parent)),
                IsWindowVisible(window) ? 1 : 0, r.left, r.top, r.right - r.left,
                r.bottom - r.top, toUtf8(flattened(windowClass(window))).c_str(),
                toUtf8(flattened(windowTitle(window))).c_str());
    ++listing.printed;
    if (listing.filter.post)
        PostMessageW(window, listing.filter.postMessage, listing.filter.postWParam, 0);
}

BOOL CALLBACK onChild(HWND window, LPARAM context) {
    printWindow(*reinterpret_cast<Listing*>(context), window, false);
    return TRUE;
}

BOOL CALLBACK onTopLevel(HWND window, LPARAM context) {
    auto& listing = *reinterpret_cast<Listing*>(context);
    printWindow(listing, window, true);
    if (!listing.filter.topLevelOnly)
        EnumChildWindows(window, onChild, context); // walks all descendants
    return TRUE;
}

int printProcesses(const Listing& listing) {
    int printed = 0;
    for (const auto& [pid, exe] : listing.exeByPid) {
        if (!listing.filter.exe.empty() && _wcsicmp(exe.c_str(), listing.filter.exe.c_str()) != 0)
            continue;
        std::printf("%lu\t%s\n", pid, toUtf8(exe).c_str());
        ++printed;
    }
    std::fflush(stdout);
    return printed;
}

void printUsage() {
    std::fputs("usage: winlist [--pid N] [--exe NAME] [--class NAME] [--title TEXT] [--visible]"
               " [--style BITS] [--top] [--post MSG[:WPARAM]]\n"
               "       winlist --processes [--exe NAME]\n"
               "columns: pid exe hwnd parent visible left top width height class title\n",
               stderr);
}

void parsePost(const char* text, Filter& filter) {
    char* rest = nullptr;
    filter.post = true;
    filter.postMessage = static_cast<UINT>(std::strtoul(text, &rest, 0));
    if (*rest == ':')
        filter.postWParam = static_cast<WPARAM>(std::strtoul(rest + 1, nullptr, 0));
}

bool parseArguments(int argc, char** argv, Filter& filter) {
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == "--visible")
            filter.visibleOnly = true;
        else if (option == "--top")
            filter.topLevelOnly = true;
        else if (option == "--processes")
            filter.processesOnly = true;
        else if (option == "--post" && hasValue)
            parsePost(argv[++i], filter);
        else if (option == "--style" && hasValue)
            filter.styleBits = static_cast<LONG>(std::strtoul(argv[++i], nullptr, 0));
        else if (option == "--pid" && hasValue)
            filter.pid = static_cast<DWORD>(std::strtoul(argv[++i], nullptr, 0));
        else if (option == "--exe" && hasValue)
            filter.exe = fromArgument(argv[++i]);
        else if (option == "--class" && hasValue)
            filter.className = fromArgument(argv[++i]);
        else if (option == "--title" && hasValue)
            filter.title = fromArgument(argv[++i]);
        else
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    Listing listing;
    if (!parseArguments(argc, argv, listing.filter)) {
        printUsage();
        return 2;
    }
    listing.exeByPid = snapshotProcessNames();
    if (listing.filter.processesOnly)
        return printProcesses(listing) > 0 ? 0 : 1;
    EnumWindows(onTopLevel, reinterpret_cast<LPARAM>(&listing));
    std::fflush(stdout);
    return listing.printed > 0 ? 0 : 1;
}
