#pragma once
// Special folders (shell32, with identifier lists freed through ole32) and the system's
// directories (kernel32).

#include "platform/ShellFoldersApi.h"

namespace vantrel::win32 {

class Win32ShellFolders final : public ShellFoldersApi {
  public:
    ItemIdList SpecialFolderLocation(int csidl) override;
    std::optional<std::string> PathFromIdList(const void* idList) override;
    bool OpenIdList(const void* idList) override;
    void FreeIdList(const void* idList) override;
    std::string SystemDirectory() override;
    std::string SystemWindowsDirectory() override;
    std::string TempPath() override;
};

} // namespace vantrel::win32
