#include "win32/Win32Pickers.h"

#include "win32/DialogHost.h"
#include "win32/OnDemandLibrary.h"
#include "win32/WideText.h"

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

struct IdListFree {
    void operator()(ITEMIDLIST* list) const { ILFree(list); }
};
using OwnedIdList = std::unique_ptr<ITEMIDLIST, IdListFree>;

// comdlg32 is loaded the first time a file is picked, not at start-up: it brings the print
// spooler along (under Wine with its libraries, 8 MB more resident memory for a program that
// otherwise sits in the tray). Kept for the rest of the run; Windows maps it from System32
// only (a known DLL).
using FileDialogFn = BOOL(WINAPI*)(OPENFILENAMEW*);
FileDialogFn FileDialog(const char* name) {
    static const OnDemandLibrary* const library = new OnDemandLibrary("comdlg32.dll");
    return library->Find<FileDialogFn>(name);
}

const wchar_t* OrNull(const std::wstring& text) {
    return text.empty() ? nullptr : text.c_str();
}

// Opens the browser with the start folder selected; the folder's text arrives as user data.
int CALLBACK SelectStartFolder(HWND browser, UINT message, LPARAM, LPARAM startFolder) {
    if (message == BFFM_INITIALIZED)
        SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, startFolder);
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

namespace {
// Shows the named comdlg32 dialog with `flags` added to those every file dialog here has.
std::optional<std::string> ShowFileDialog(const char* name, const DialogModel& owner,
                                          const OpenFileRequest& request, DWORD flags,
                                          const wchar_t* defaultExtension) {
    const std::wstring filter = WidenUtf8(FilterForOpenDialog(request.filter));
    const std::wstring initialDirectory = WidenUtf8(request.initialDirectory);
    std::vector<wchar_t> file(FileBufferSize, L'\0');
    WidenUtf8(request.fileName).copy(file.data(), FileBufferSize - 1);

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = WindowOfDialog(owner);
    dialog.lpstrFilter = OrNull(filter);
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = FileBufferSize;
    dialog.lpstrInitialDir = OrNull(initialDirectory);
    dialog.lpstrDefExt = defaultExtension;
    // Without NOCHANGEDIR the dialog leaves the process in the last folder browsed, and
    // every later Run entry without a folder of its own would start there.
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR | flags;
    const FileDialogFn show = FileDialog(name);
    if (!show || !show(&dialog))
        return std::nullopt; // cancelled, or a name that did not fit
    return ToUtf8(file.data(), wcsnlen(file.data(), FileBufferSize));
}
} // namespace

std::optional<std::string> Win32Pickers::OpenFile(const DialogModel& owner,
                                                  const OpenFileRequest& request) {
    return ShowFileDialog("GetOpenFileNameW", owner, request, 0, nullptr);
}

std::optional<std::string> Win32Pickers::SaveFile(const DialogModel& owner,
                                                  const OpenFileRequest& request) {
    return ShowFileDialog("GetSaveFileNameW", owner, request,
                          OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST, L"html");
}

std::optional<std::string> Win32Pickers::ShowFolderBrowser(const DialogModel& owner,
                                                           const std::string& startFolder) {
    wchar_t displayName[MAX_PATH];
    displayName[0] = L'\0';
    const std::wstring start = WidenUtf8(startFolder);
    BROWSEINFOW browse{};
    browse.hwndOwner = WindowOfDialog(owner);
    browse.pidlRoot = nullptr; // the whole namespace, from the desktop down
    browse.pszDisplayName = displayName;
    browse.lpszTitle = L"Select a folder";
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    browse.lpfn = &SelectStartFolder;
    browse.lParam = reinterpret_cast<LPARAM>(start.c_str());
    const OwnedIdList chosen(SHBrowseForFolderW(&browse));
    if (!chosen)
        return std::nullopt;
    wchar_t path[MAX_PATH] = {};
    if (!SHGetPathFromIDListW(chosen.get(), path))
        return std::nullopt; // a virtual folder without a file-system path
    return ToUtf8(path, wcsnlen(path, MAX_PATH));
}

} // namespace vantrel::win32
