// minitray: the smallest tray program there is, an icon and a message loop. The start-up
// benchmark compares the real program against it, so it must stay this small.
#include <windows.h>
#include <shellapi.h>

namespace {

NOTIFYICONDATAW trayIcon{};

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        Shell_NotifyIconW(NIM_DELETE, &trayIcon);
        DestroyWindow(window);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"MiniTray";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowW(L"MiniTray", L"MiniTray", 0, 0, 0, 0, 0, nullptr, nullptr,
                                instance, nullptr);

    trayIcon.cbSize = sizeof trayIcon;
    trayIcon.hWnd = window;
    trayIcon.uID = 1;
    trayIcon.uFlags = NIF_ICON | NIF_TIP;
    trayIcon.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    lstrcpyW(trayIcon.szTip, L"MiniTray");
    Shell_NotifyIconW(NIM_ADD, &trayIcon);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}
