// trayrestart: what a program sees when the process hosting the notification area restarts.
// The new host knows none of the old icons, and announces itself with the registered
// message "TaskbarCreated" to every top-level window; a program must then add its icon again.
//   trayrestart <hwnd> <icon id>    the owner window and id the icon was added with
// Under Wine the tray lives in the desktop process, whose end destroys every window of every
// program, so a real restart cannot be had there; this makes the two steps of one instead.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: trayrestart <hwnd> <icon id>\n", stderr);
        return 2;
    }
    NOTIFYICONDATAA icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoul(argv[1], nullptr, 16)));
    icon.uID = static_cast<UINT>(std::strtoul(argv[2], nullptr, 0));
    const bool forgotten = Shell_NotifyIconA(NIM_DELETE, &icon) != FALSE;
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    const bool announced = PostMessageA(HWND_BROADCAST, taskbarCreated, 0, 0) != FALSE;
    std::printf("forgotten=%d announced=%d\n", forgotten ? 1 : 0, announced ? 1 : 0);
    return forgotten && announced ? 0 : 1;
}
