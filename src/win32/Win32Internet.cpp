#include "win32/Win32Internet.h"

#include "win32/DllSearch.h"

namespace vantrel::win32 {

namespace {
using HInternet = void*;
using OpenFn = HInternet(WINAPI*)(LPCSTR, DWORD, LPCSTR, LPCSTR, DWORD);
using SetOptionFn = BOOL(WINAPI*)(HInternet, DWORD, LPVOID, DWORD);
using OpenUrlFn = HInternet(WINAPI*)(HInternet, LPCSTR, LPCSTR, DWORD, DWORD, DWORD_PTR);
using QueryInfoFn = BOOL(WINAPI*)(HInternet, DWORD, LPVOID, LPDWORD, LPDWORD);
using ReadFileFn = BOOL(WINAPI*)(HInternet, LPVOID, DWORD, LPDWORD);
// HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER: the status code as a 4-byte number.
constexpr DWORD QueryStatusAsNumber = 19 | 0x20000000;
using CloseHandleFn = BOOL(WINAPI*)(HInternet);

template <typename Function>
Function Find(HMODULE module, const char* name) {
    // GetProcAddress hands out a generic pointer; the caller names the real type.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

HInternet ToHandle(InternetHandle handle) { return reinterpret_cast<HInternet>(handle); }
InternetHandle FromHandle(HInternet handle) { return reinterpret_cast<InternetHandle>(handle); }
} // namespace

struct Win32Internet::Functions {
    OpenFn open;
    SetOptionFn setOption;
    OpenUrlFn openUrl;
    QueryInfoFn queryInfo;
    ReadFileFn readFile;
    CloseHandleFn closeHandle;
};

Win32Internet& Win32Internet::ForProcess() {
    static Win32Internet* const instance = new Win32Internet(); // never destroyed, see above
    return *instance;
}

const Win32Internet::Functions* Win32Internet::Load() {
    std::call_once(loadOnce_, [this] {
        // Never freed: handles and a stuck worker may use it until the process ends.
        const HMODULE wininet = LoadSystemLibrary("wininet.dll");
        if (!wininet)
            return;
        const Functions found{Find<OpenFn>(wininet, "InternetOpenA"),
                              Find<SetOptionFn>(wininet, "InternetSetOptionA"),
                              Find<OpenUrlFn>(wininet, "InternetOpenUrlA"),
                              Find<QueryInfoFn>(wininet, "HttpQueryInfoA"),
                              Find<ReadFileFn>(wininet, "InternetReadFile"),
                              Find<CloseHandleFn>(wininet, "InternetCloseHandle")};
        if (found.open && found.setOption && found.openUrl && found.queryInfo && found.readFile &&
            found.closeHandle)
            functions_ = std::make_unique<Functions>(found);
    });
    return functions_.get();
}

InternetHandle Win32Internet::Open(const std::string& agent, std::uint32_t accessType,
                                   std::uint32_t flags) {
    const Functions* wininet = Load();
    if (!wininet)
        return 0;
    return FromHandle(wininet->open(agent.c_str(), accessType, nullptr, nullptr, flags));
}

bool Win32Internet::SetOption(InternetHandle handle, std::uint32_t option, std::uint32_t value) {
    const Functions* wininet = Load();
    DWORD data = value;
    return wininet && wininet->setOption(ToHandle(handle), option, &data, sizeof data) != FALSE;
}

InternetHandle Win32Internet::OpenUrl(InternetHandle session, const std::string& url,
                                      std::uint32_t flags) {
    const Functions* wininet = Load();
    if (!wininet)
        return 0;
    return FromHandle(wininet->openUrl(ToHandle(session), url.c_str(), nullptr, 0, flags, 0));
}

std::optional<std::uint32_t> Win32Internet::StatusCode(InternetHandle file) {
    const Functions* wininet = Load();
    if (!wininet)
        return std::nullopt;
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!wininet->queryInfo(ToHandle(file), QueryStatusAsNumber, &status, &size, nullptr))
        return std::nullopt;
    return status;
}

std::optional<std::string> Win32Internet::Read(InternetHandle file, std::uint32_t maxBytes) {
    const Functions* wininet = Load();
    if (!wininet)
        return std::nullopt;
    std::string bytes(maxBytes, '\0');
    DWORD read = 0;
    if (!wininet->readFile(ToHandle(file), bytes.data(), maxBytes, &read))
        return std::nullopt;
    bytes.resize(read < maxBytes ? read : maxBytes);
    return bytes;
}

void Win32Internet::Close(InternetHandle handle) {
    const Functions* wininet = Load();
    if (wininet && handle)
        wininet->closeHandle(ToHandle(handle));
}

} // namespace vantrel::win32
