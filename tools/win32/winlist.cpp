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
// --sized leaves out windows of a pixel or less across (Wine keeps hidden menus and balloons
// that way). --until COUNT waits for a condition instead of listing once: it lists again
// every 20 ms until exactly COUNT windows match (at least COUNT when written "COUNT+"), for at
// most --within SECONDS (10 unless given), and prints the listing that matched, or the last
// one when the time ran out; a test waits in one process instead of starting one per look.
// Exit status: 0 when at least one window was printed (with --until: when the count was
// reached), 1 when none matched (the count was not reached), 2 on bad usage.
// winlist --serve answers many requests in one process, for a test that asks hundreds of
// times: each line of its input holds one request's arguments separated by tabs (UTF-8);
// it prints that request's lines, then ".end <exit status>".
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <map>
#include <string>
#include <vector>

namespace {

struct Filter {
    DWORD pid = 0;
    std::wstring exe;
    std::wstring className;
    std::wstring title;
    bool visibleOnly = false;
    LONG styleBits = 0; // all of these window style bits must be set
    bool topLevelOnly = false;
    bool sizedOnly = false;
    bool processesOnly = false;
    bool post = false;
    UINT postMessage = 0;
    WPARAM postWParam = 0;
};

// --until: the count to wait for, and how long.
struct Wait {
    bool wanted = false;
    int count = 0;
    bool atLeast = false;
    DWORD withinMs = 10000;
};

struct Listing {
    Filter filter;
    std::map<DWORD, std::wstring> exeByPid;
    std::string text; // the lines, printed once the listing is complete
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

std::wstring fromText(const std::string& text, UINT codePage) {
    const int size = MultiByteToWideChar(codePage, 0, text.c_str(), -1, nullptr, 0);
    std::wstring out(static_cast<size_t>(size > 0 ? size - 1 : 0), L'\0');
    if (size > 1)
        MultiByteToWideChar(codePage, 0, text.c_str(), -1, out.data(), size);
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

bool isSized(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r.right - r.left > 1 && r.bottom - r.top > 1;
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
    if (f.sizedOnly && !isSized(window))
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
    char numbers[128];
    std::snprintf(numbers, sizeof numbers, "%lu\t", pid);
    listing.text += numbers;
    listing.text += exe == listing.exeByPid.end() ? "?" : toUtf8(exe->second);
    std::snprintf(numbers, sizeof numbers, "\t%lx\t%lx\t%d\t%ld\t%ld\t%ld\t%ld\t",
                  static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)),
                  static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(parent)),
                  IsWindowVisible(window) ? 1 : 0, r.left, r.top, r.right - r.left,
                  r.bottom - r.top);
    listing.text += numbers;
    listing.text += toUtf8(flattened(windowClass(window))) + "\t" +
                    toUtf8(flattened(windowTitle(window))) + "\n";
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

void listProcesses(Listing& listing) {
    char number[16];
    for (const auto& [pid, exe] : listing.exeByPid) {
        if (!listing.filter.exe.empty() && _wcsicmp(exe.c_str(), listing.filter.exe.c_str()) != 0)
            continue;
        std::snprintf(number, sizeof number, "%lu\t", pid);
        listing.text += number + toUtf8(exe) + "\n";
        ++listing.printed;
    }
}

void printUsage() {
    std::fputs("usage: winlist [--pid N] [--exe NAME] [--class NAME] [--title TEXT] [--visible]"
               " [--style BITS] [--sized] [--top] [--post MSG[:WPARAM]]\n"
               "               [--until COUNT[+] [--within SECONDS]]\n"
               "       winlist --processes [--exe NAME]\n"
               "       winlist --serve   (requests on its input, one a line)\n"
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

void parseUntil(const char* text, Wait& wait) {
    char* rest = nullptr;
    wait.wanted = true;
    wait.count = static_cast<int>(std::strtol(text, &rest, 10));
    wait.atLeast = *rest == '+';
}

bool parseArguments(const std::vector<std::wstring>& arguments, Filter& filter, Wait& wait) {
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring& option = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (option == L"--visible")
            filter.visibleOnly = true;
        else if (option == L"--top")
            filter.topLevelOnly = true;
        else if (option == L"--sized")
            filter.sizedOnly = true;
        else if (option == L"--processes")
            filter.processesOnly = true;
        else if (option == L"--post" && hasValue)
            parsePost(toUtf8(arguments[++i]).c_str(), filter);
        else if (option == L"--until" && hasValue)
            parseUntil(toUtf8(arguments[++i]).c_str(), wait);
        else if (option == L"--within" && hasValue)
            wait.withinMs = static_cast<DWORD>(std::wcstod(arguments[++i].c_str(), nullptr) * 1000);
        else if (option == L"--style" && hasValue)
            filter.styleBits = static_cast<LONG>(std::wcstoul(arguments[++i].c_str(), nullptr, 0));
        else if (option == L"--pid" && hasValue)
            filter.pid = static_cast<DWORD>(std::wcstoul(arguments[++i].c_str(), nullptr, 0));
        else if (option == L"--exe" && hasValue)
            filter.exe = arguments[++i];
        else if (option == L"--class" && hasValue)
            filter.className = arguments[++i];
        else if (option == L"--title" && hasValue)
            filter.title = arguments[++i];
        else
            return false;
    }
    // Posting on every look would post the message again and again.
    return !(wait.wanted && (filter.post || filter.processesOnly));
}

void listWindows(Listing& listing) {
    listing.text.clear();
    listing.printed = 0;
    listing.exeByPid = snapshotProcessNames();
    EnumWindows(onTopLevel, reinterpret_cast<LPARAM>(&listing));
}

bool reached(const Listing& listing, const Wait& wait) {
    return wait.atLeast ? listing.printed >= wait.count : listing.printed == wait.count;
}

// Lists until the count is reached or the time is up; true when it was reached.
bool listUntil(Listing& listing, const Wait& wait) {
    const DWORD started = GetTickCount();
    for (;;) {
        listWindows(listing);
        if (reached(listing, wait))
            return true;
        if (GetTickCount() - started >= wait.withinMs)
            return false;
        Sleep(20);
    }
}

// One request: fills text with its lines and returns its exit status.
int answer(const std::vector<std::wstring>& arguments, std::string& text) {
    Listing listing;
    Wait wait;
    if (!parseArguments(arguments, listing.filter, wait)) {
        printUsage();
        return 2;
    }
    bool found = true;
    if (listing.filter.processesOnly) {
        listing.exeByPid = snapshotProcessNames();
        listProcesses(listing);
    } else if (wait.wanted) {
        found = listUntil(listing, wait);
    } else {
        listWindows(listing);
    }
    text = listing.text;
    return found && (wait.wanted || listing.printed > 0) ? 0 : 1;
}

std::vector<std::wstring> splitRequest(std::string line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    std::vector<std::wstring> arguments;
    size_t start = 0;
    while (!line.empty()) {
        const size_t tab = line.find('\t', start);
        arguments.push_back(fromText(line.substr(start, tab - start), CP_UTF8));
        if (tab == std::string::npos)
            break;
        start = tab + 1;
    }
    return arguments;
}

int serve() {
    char buffer[8192];
    std::string text;
    while (std::fgets(buffer, sizeof buffer, stdin)) {
        const int status = answer(splitRequest(buffer), text);
        std::fputs(text.c_str(), stdout);
        std::printf(".end %d\n", status);
        std::fflush(stdout);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--serve")
        return serve();
    std::vector<std::wstring> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back(fromText(argv[i], CP_ACP));
    std::string text;
    const int status = answer(arguments, text);
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
    return status;
}
