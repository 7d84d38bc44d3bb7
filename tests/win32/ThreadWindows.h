#pragma once
// Finding the windows a thread shows, for tests that drive a modal dialog from another
// thread while the test's own thread sits in the dialog's message loop.

#include "win32/WinHeaders.h"

#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace vantrel::win32::testing {

inline std::string TitleOf(HWND window) {
    char title[256] = "";
    GetWindowTextA(window, title, sizeof title);
    return title;
}

struct WindowSearch {
    std::function<bool(HWND)> matches;
    HWND found = nullptr;
};

inline BOOL CALLBACK CheckSearchedWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    if (!IsWindowVisible(window) || !search->matches(window))
        return TRUE;
    search->found = window;
    return FALSE;
}

// A visible top-level window of the thread that matches, within ten seconds; else null.
inline HWND WaitForWindow(DWORD thread, std::function<bool(HWND)> matches) {
    WindowSearch search{std::move(matches)};
    for (int attempt = 0; attempt < 500 && !search.found; ++attempt) {
        EnumThreadWindows(thread, &CheckSearchedWindow, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return search.found;
}

} // namespace vantrel::win32::testing
