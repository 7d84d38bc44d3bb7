#pragma once
// Folders of shortcuts through the file system, and shell links through the shell's link
// interface (IShellLinkW loaded with IPersistFile). COM must be initialised on the calling
// thread, as it is on the user-interface thread.

#include "platform/ShortcutsApi.h"

namespace vantrel::win32 {

class Win32Shortcuts final : public ShortcutsApi {
  public:
    std::optional<FolderListing> ListFolder(const std::string& folder) override;
    std::optional<ShellLinkTarget> ReadShellLink(const std::string& path) override;
};

} // namespace vantrel::win32
