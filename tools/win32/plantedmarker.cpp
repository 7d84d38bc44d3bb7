// A stand-in for a system DLL, planted next to a program to prove whether that program loads
// DLLs from its own folder. When any process loads it, it leaves "<this dll>.loaded" beside
// itself holding the path of that process's exe. The exports are stubs that fail, so a
// program that does load it misbehaves visibly rather than doing real work.
#include <windows.h>

#include <string>

namespace {

std::string modulePath(HMODULE module) {
    char buffer[MAX_PATH] = {};
    GetModuleFileNameA(module, buffer, MAX_PATH);
    return buffer;
}

void leaveMarker(HMODULE self) {
    const std::string marker = modulePath(self) + ".loaded";
    HANDLE file = CreateFileA(marker.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    const std::string line = modulePath(nullptr) + "\r\n";
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        leaveMarker(self);
    return TRUE;
}

// Stubs with the signatures of the power library and WinINet entry points a program would
// import; built once under each DLL name. Linked with --kill-at so the names are undecorated.
extern "C" {
__declspec(dllexport) BOOLEAN WINAPI SetSuspendState(BOOLEAN, BOOLEAN, BOOLEAN) { return FALSE; }
__declspec(dllexport) BOOLEAN WINAPI IsPwrHibernateAllowed() { return FALSE; }
__declspec(dllexport) BOOLEAN WINAPI IsPwrSuspendAllowed() { return FALSE; }
__declspec(dllexport) BOOLEAN WINAPI IsPwrShutdownAllowed() { return FALSE; }

__declspec(dllexport) void* WINAPI InternetOpenA(LPCSTR, DWORD, LPCSTR, LPCSTR, DWORD) {
    return nullptr;
}
__declspec(dllexport) void* WINAPI InternetOpenUrlA(void*, LPCSTR, LPCSTR, DWORD, DWORD,
                                                    DWORD_PTR) {
    return nullptr;
}
__declspec(dllexport) void* WINAPI InternetConnectA(void*, LPCSTR, WORD, LPCSTR, LPCSTR, DWORD,
                                                    DWORD, DWORD_PTR) {
    return nullptr;
}
__declspec(dllexport) void* WINAPI HttpOpenRequestA(void*, LPCSTR, LPCSTR, LPCSTR, LPCSTR,
                                                    LPCSTR*, DWORD, DWORD_PTR) {
    return nullptr;
}
__declspec(dllexport) BOOL WINAPI HttpSendRequestA(void*, LPCSTR, DWORD, LPVOID, DWORD) {
    return FALSE;
}
__declspec(dllexport) BOOL WINAPI HttpQueryInfoA(void*, DWORD, LPVOID, LPDWORD, LPDWORD) {
    return FALSE;
}
__declspec(dllexport) BOOL WINAPI InternetReadFile(void*, LPVOID, DWORD, LPDWORD) {
    return FALSE;
}
__declspec(dllexport) BOOL WINAPI InternetSetOptionA(void*, DWORD, LPVOID, DWORD) {
    return FALSE;
}
__declspec(dllexport) BOOL WINAPI InternetQueryOptionA(void*, DWORD, LPVOID, LPDWORD) {
    return FALSE;
}
__declspec(dllexport) BOOL WINAPI InternetGetConnectedState(LPDWORD, DWORD) { return FALSE; }
__declspec(dllexport) BOOL WINAPI InternetCloseHandle(void*) { return FALSE; }
}
