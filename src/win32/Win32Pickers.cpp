#include "win32/Win32Pickers.h"

#include "win32/DialogHost.h"
#include "win32/WinHeaders.h"

// comdlg32 is one of the system's known DLLs: Windows always loads it from System32, so the
// static import cannot be planted next to the program.
#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace vantrel::win32 {

namespace {
// The name box starts with the typed name and receives the chosen path. The configuration
// file keeps 260 bytes of a path: a longer choice does not fit this buffer, and the dialog
// then answers as if cancelled instead of handing back a path that would be cut on saving.
constexpr DWORD FileBufferSize = MAX_PATH;
// SHGetPathFromIDListA writes up to MAX_PATH characters; the rest is margin.
constexpr std::size_t FolderBufferSize = 300;

struct IdListFree {
    void operator()(ITEMIDLIST* list) const { CoTaskMemFree(list); }
};
using OwnedIdList = std::unique_ptr<ITEMIDLIST, IdListFree>;

const char* OrNull(const std::string& text) {
    return text.empty() ? nullptr : text.c_str();
}

// Opens the browser with the start folder selected; the folder's text arrives as user data.
int CALLBACK SelectStartFolder(HWND browser, UINT message, LPARAM, LPARAM startFolder) {
    if (message == BFFM_INITIALIZED)
        SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, startFolder);
    return 0;
}
} // namespace

std::string FilterForOpenDialog(const std::string& filter) {
    if (filter.empty())
        return std::string();
    std::string pairs = filter;
    std::replace(pairs.begin(), pairs.end(), '|', '\0');
    if (pairs.back() != '\0')
        pairs.push_back('\0');
    pairs.push_back('\0');
    return pairs;
}

std::optional<std::string> Win32Pickers::OpenFile(const DialogModel& owner,
                                                  const OpenFileRequest& request) {
    const std::string filter = FilterForOpenDialog(request.filter);
    std::vector<char> file(FileBufferSize, '\0');
    request.fileName.copy(file.data(), FileBufferSize - 1);

    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = WindowOfDialog(owner);
    dialog.lpstrFilter = OrNull(filter);
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = FileBufferSize;
    dialog.lpstrInitialDir = OrNull(request.initialDirectory);
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
    if (!GetOpenFileNameA(&dialog))
        return std::nullopt; // cancelled, or a name that did not fit
    return std::string(file.data());
}

std::optional<std::string> Win32Pickers::ShowFolderBrowser(const DialogModel& owner,
                                                           const std::string& startFolder) {
    char displayName[MAX_PATH];
    displayName[0] = '\0';
    BROWSEINFOA browse{};
    browse.hwndOwner = WindowOfDialog(owner);
    browse.pidlRoot = nullptr; // the whole namespace, from the desktop down
    browse.pszDisplayName = displayName;
    browse.lpszTitle = "Select a folder";
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    browse.lpfn = &SelectStartFolder;
    browse.lParam = reinterpret_cast<LPARAM>(startFolder.c_str());
    const OwnedIdList chosen(SHBrowseForFolderA(&browse));
    if (!chosen)
        return std::nullopt;
    char path[FolderBufferSize];
    path[0] = '\0';
    if (!SHGetPathFromIDListA(chosen.get(), path))
        return std::nullopt; // a virtual folder without a file-system path
    return std::string(path);
}

} // namespace vantrel::win32
