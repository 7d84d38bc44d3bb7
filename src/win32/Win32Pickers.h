#pragma once
// The common file-open and file-save dialogs (comdlg32) and the shell's folder browser (shell32),
// owned by the program's dialog whose button opened them.

#include "platform/PickerApi.h"

#include <string>

namespace vantrel::win32 {

class Win32Pickers final : public PickerApi {
  public:
    std::optional<std::string> OpenFile(const DialogModel& owner,
                                        const OpenFileRequest& request) override;
    std::optional<std::string> ShowFolderBrowser(const DialogModel& owner,
                                                 const std::string& startFolder) override;
    std::optional<std::string> SaveFile(const DialogModel& owner,
                                        const OpenFileRequest& request) override;
};

// "Description|patterns|..." as the file-open dialog takes it: every part ends in a zero and
// one more zero ends the list. Empty for an empty filter (every file is offered).
std::string FilterForOpenDialog(const std::string& filter);

} // namespace vantrel::win32
