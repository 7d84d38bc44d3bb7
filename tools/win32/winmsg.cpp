// winmsg: sends one message to one window and prints what came back, for tests that ask the
// real program something (its handle counters) or read another process's edit box; or posts
// one, as the shell hands a tray icon's notifications over without waiting.
//   winmsg send <hwnd> <msg> [wparam [lparam]]   prints the result in decimal
//   winmsg post <hwnd> <msg> [wparam [lparam]]   exit status 1 when it could not be posted
//   winmsg text <hwnd>                            prints the window's text (WM_GETTEXT)
//   winmsg rows <hwnd>                            prints a list box's rows, one a line
//                                                 (LB_GETTEXT, of a list box with strings)
//   winmsg idle <pid> [seconds]                   waits until the process has started up
//                                                 and waits for input (WaitForInputIdle)
// Numbers are decimal or 0x hex; hwnd is hexadecimal as winlist prints it. A window that
// does not answer within 5 s (or is known to be hung) gives exit status 1 and no output.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr UINT AnswerWaitMs = 5000;
constexpr UINT Flags = SMTO_NORMAL | SMTO_ABORTIFHUNG;

HWND WindowOf(const char* text) {
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoul(text, nullptr, 16)));
}

UINT_PTR Number(const char* text) {
    return static_cast<UINT_PTR>(std::strtoul(text, nullptr, 0));
}

struct Message {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

Message MessageOf(int argc, char** argv) {
    return {static_cast<UINT>(Number(argv[3])), argc > 4 ? static_cast<WPARAM>(Number(argv[4])) : 0,
            argc > 5 ? static_cast<LPARAM>(Number(argv[5])) : 0};
}

int Post(HWND window, int argc, char** argv) {
    const Message m = MessageOf(argc, argv);
    return PostMessageA(window, m.message, m.wParam, m.lParam) ? 0 : 1;
}

int Send(HWND window, int argc, char** argv) {
    const auto [message, wParam, lParam] = MessageOf(argc, argv);
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, Flags, AnswerWaitMs, &result))
        return 1;
    std::printf("%ld\n", static_cast<long>(result));
    return 0;
}

int Text(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, Flags, AnswerWaitMs, &length))
        return 1;
    std::vector<char> buffer(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, buffer.size(),
                             reinterpret_cast<LPARAM>(buffer.data()), Flags, AnswerWaitMs, &copied))
        return 1;
    std::fwrite(buffer.data(), 1, copied < buffer.size() ? copied : buffer.size() - 1, stdout);
    std::fputc('\n', stdout);
    return 0;
}

// Asked as Unicode: under Wine 8 the ANSI LB_GETTEXT of another process's list box comes
// back in UTF-16.
DWORD_PTR Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& answered) {
    DWORD_PTR result = 0;
    answered = answered &&
               SendMessageTimeoutW(window, message, wParam, lParam, Flags, AnswerWaitMs, &result);
    return result;
}

int Rows(HWND window) {
    bool answered = true;
    const auto count = static_cast<LONG_PTR>(Ask(window, LB_GETCOUNT, 0, 0, answered));
    for (LONG_PTR row = 0; answered && row < count; ++row) {
        const DWORD_PTR length = Ask(window, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0, answered);
        std::vector<wchar_t> wide(static_cast<LONG_PTR>(length) > 0 ? length + 1 : 1, L'\0');
        Ask(window, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(wide.data()),
            answered);
        std::vector<char> text(4 * wide.size(), '\0');
        WideCharToMultiByte(CP_ACP, 0, wide.data(), -1, text.data(), static_cast<int>(text.size()),
                            nullptr, nullptr);
        std::printf("%s\n", text.data());
    }
    return answered ? 0 : 1;
}

// Under Wine a process counts as idle once its thread looks for a message and finds none,
// which a program that builds its state before its message loop does only when that is done.
int Idle(DWORD pid, DWORD waitMs) {
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
    if (!process)
        return 1;
    const DWORD result = WaitForInputIdle(process, waitMs);
    CloseHandle(process);
    return result == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 2 ? argv[1] : "";
    if (command == "send" && argc >= 4)
        return Send(WindowOf(argv[2]), argc, argv);
    if (command == "post" && argc >= 4)
        return Post(WindowOf(argv[2]), argc, argv);
    if (command == "text")
        return Text(WindowOf(argv[2]));
    if (command == "rows")
        return Rows(WindowOf(argv[2]));
    if (command == "idle")
        return Idle(static_cast<DWORD>(Number(argv[2])),
                    argc > 3 ? static_cast<DWORD>(std::atof(argv[3]) * 1000) : AnswerWaitMs);
    std::fputs("usage: winmsg send|post <hwnd> <msg> [wparam [lparam]] | winmsg text <hwnd> |"
               " winmsg rows <hwnd> | winmsg idle <pid> [seconds]\n",
               stderr);
    return 2;
}
