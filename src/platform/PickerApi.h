#pragma once
// The system's file-open dialog and folder browser, shown on top of one of the program's
// own dialogs. Both block until the user has chosen or cancelled. Every text is UTF-8: a
// choice may lie in a folder whose name the code page cannot hold (see PathPicker).

#include <optional>
#include <string>

namespace vantrel {

class DialogModel;

struct OpenFileRequest {
    // Pairs of description and pattern list, each part followed by '|':
    // "Executable files (*.exe)|*.exe;*.msc;". Empty: every file is offered.
    std::string filter;
    std::string initialDirectory; // empty: the system's choice
    std::string fileName;         // shown in the file name box at the start
};

class PickerApi {
public:
    virtual ~PickerApi() = default;
    // The chosen file's full path; nullopt when the user cancelled. The dialog keeps the
    // system's own title, hides the read-only check box and can be resized. `owner` is the
    // dialog whose button opened it: it stays disabled until the picker closes.
    virtual std::optional<std::string> OpenFile(const DialogModel& owner,
                                                const OpenFileRequest& request) = 0;
    // The shell's folder browser over the whole namespace, titled "Select a folder", offering
    // only file-system folders, opened with `startFolder` selected. The chosen folder's path
    // as the shell gives it; nullopt when the user cancelled or the choice has no file-system
    // path. The caller decides which paths it can use (BrowseForFolder).
    virtual std::optional<std::string> ShowFolderBrowser(const DialogModel& owner,
                                                         const std::string& startFolder) = 0;
    // The file-save dialog, as OpenFile, its name box holding `request.fileName`; a name
    // typed without an extension gets the filter's first one, and an existing file is
    // replaced only once the user said yes. The path; nullopt when the user cancelled.
    virtual std::optional<std::string> SaveFile(const DialogModel& owner,
                                                const OpenFileRequest& request) = 0;
};

} // namespace vantrel
