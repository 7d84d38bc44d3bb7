// settingchange: tells every top-level window that a setting changed, as Windows does when the
// user switches between light and dark mode in Settings:
//   settingchange [NAME]       NAME defaults to ImmersiveColorSet
// Sends WM_SETTINGCHANGE with the name as its text and waits (up to 5 s per window) until
// each window has handled it. Exit status 0 when the message went out.
#include <windows.h>

int main(int argc, char** argv) {
    const char* name = argc > 1 ? argv[1] : "ImmersiveColorSet";
    DWORD_PTR result = 0;
    const LRESULT sent =
        SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(name),
                            SMTO_ABORTIFHUNG, 5000, &result);
    return sent ? 0 : 1;
}
