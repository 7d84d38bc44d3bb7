#pragma once
// Folders of shortcuts through the file system, and shell links through the shell's link
// interface (IShellLinkW loaded with IPersistFile). COM must be initialised on the calling
// thread, as it is on the user-interface thread.

#include "platform/ShortcutsApi.h"

#include <string>

namespace vantrel::win32 {

// A link's path with environment variables as the shell that opens the link reads it: on
// 64-bit Windows "%ProgramFiles%" (in any case) is the 64-bit folder, which a 32-bit program
// reaches as "%ProgramW6432%".
std::wstring AsTheShellReadsIt(std::wstring path);

class Win32Shortcuts final : public ShortcutsApi {
  public:
    std::optional<FolderListing> ListFolder(const std::string& folder) override;
    std::optional<ShellLinkTarget> ReadShellLink(const std::string& path) override;
};

} // namespace vantrel::win32
