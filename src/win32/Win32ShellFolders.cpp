#include "win32/Win32ShellFolders.h"

#include "win32/WinHeaders.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

namespace vantrel::win32 {

namespace {
constexpr DWORD DirectoryBufferChars = 280;

// The directory calls return the length written, or the size they would need (terminating
// zero included) when the buffer is too small: only a length below the buffer size fitted.
std::string Fitted(const char* buffer, DWORD length) {
    if (length == 0 || length >= DirectoryBufferChars)
        return {};
    return std::string(buffer, length);
}

// The shell's identifier list pointers are not const, though nothing here writes to them.
LPITEMIDLIST AsIdList(const void* idList) {
    return static_cast<LPITEMIDLIST>(const_cast<void*>(idList));
}
} // namespace

ItemIdList Win32ShellFolders::SpecialFolderLocation(int csidl) {
    LPITEMIDLIST list = nullptr;
    const HRESULT result = SHGetSpecialFolderLocation(nullptr, csidl, &list);
    if (FAILED(result) || !list) {
        CoTaskMemFree(list); // never handed out, but freed should a shell leave one behind
        return {};
    }
    return ItemIdList(list, *this);
}

std::optional<std::string> Win32ShellFolders::PathFromIdList(const void* idList) {
    char buffer[DirectoryBufferChars] = {}; // the call assumes at least MAX_PATH characters
    if (!SHGetPathFromIDListA(AsIdList(idList), buffer))
        return std::nullopt;
    return std::string(buffer);
}

bool Win32ShellFolders::OpenIdList(const void* idList) {
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_IDLIST;
    info.lpVerb = "open";
    info.nShow = SW_SHOWNORMAL;
    info.lpIDList = AsIdList(idList);
    return ShellExecuteExA(&info) != FALSE;
}

void Win32ShellFolders::FreeIdList(const void* idList) {
    CoTaskMemFree(AsIdList(idList));
}

std::string Win32ShellFolders::SystemDirectory() {
    char buffer[DirectoryBufferChars];
    return Fitted(buffer, GetSystemDirectoryA(buffer, DirectoryBufferChars));
}

std::string Win32ShellFolders::SystemWindowsDirectory() {
    char buffer[DirectoryBufferChars];
    return Fitted(buffer, GetSystemWindowsDirectoryA(buffer, DirectoryBufferChars));
}

std::string Win32ShellFolders::TempPath() {
    char buffer[DirectoryBufferChars];
    return Fitted(buffer, GetTempPathA(DirectoryBufferChars, buffer));
}

} // namespace vantrel::win32
