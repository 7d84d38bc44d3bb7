// hungwindow: a program whose window stops answering, as a hung program's does. It makes a
// hidden top-level window (a broadcast reaches those too), prints "ready" and then takes no
// message at all until the stop file appears or the time is up; then it ends.
//   hungwindow <stop file> <seconds>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: hungwindow <stop file> <seconds>\n", stderr);
        return 2;
    }
    HWND window = CreateWindowExA(0, "STATIC", "Hung window", WS_POPUP, 0, 0, 60, 40, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!window)
        return 1;
    std::puts("ready");
    std::fflush(stdout);
    const int tenths = std::atoi(argv[2]) * 10;
    for (int waited = 0; waited < tenths; ++waited) {
        if (GetFileAttributesA(argv[1]) != INVALID_FILE_ATTRIBUTES)
            break;
        Sleep(100); // never a look at the message queue
    }
    DestroyWindow(window);
    return 0;
}
