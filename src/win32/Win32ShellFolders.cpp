#include "win32/Win32ShellFolders.h"

#include "win32/WideText.h"

#include <shellapi.h>
#include <shlobj.h>

namespace vantrel::win32 {

namespace {
constexpr DWORD DirectoryBufferChars = 280;

// The directory calls return the length written, or the size they would need (terminating
// zero included) when the buffer is too small: only a length below the buffer size fitted.
std::string Fitted(const wchar_t* buffer, DWORD length) {
    return FittedUtf8(buffer, length, DirectoryBufferChars).value_or(std::string());
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
        ILFree(list); // never handed out, but freed should a shell leave one behind
        return {};
    }
    return ItemIdList(list, *this);
}

std::optional<std::string> Win32ShellFolders::PathFromIdList(const void* idList) {
    wchar_t buffer[DirectoryBufferChars] = {}; // the call assumes at least MAX_PATH characters
    if (!SHGetPathFromIDListW(AsIdList(idList), buffer))
        return std::nullopt;
    return ToUtf8(buffer, wcsnlen(buffer, DirectoryBufferChars));
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
    ILFree(AsIdList(idList));
}

std::string Win32ShellFolders::SystemDirectory() {
    wchar_t buffer[DirectoryBufferChars];
    return Fitted(buffer, GetSystemDirectoryW(buffer, DirectoryBufferChars));
}

std::string Win32ShellFolders::SystemWindowsDirectory() {
    wchar_t buffer[DirectoryBufferChars];
    return Fitted(buffer, GetSystemWindowsDirectoryW(buffer, DirectoryBufferChars));
}

std::string Win32ShellFolders::TempPath() {
    wchar_t buffer[DirectoryBufferChars];
    return Fitted(buffer, GetTempPathW(DirectoryBufferChars, buffer));
}

} // namespace vantrel::win32
