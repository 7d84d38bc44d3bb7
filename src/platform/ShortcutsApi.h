#pragma once
// Folders of shortcuts as the shell keeps them (the Start menu's Programs folders, any folder
// the user picks): what a folder holds, and what one shell link (.lnk) points to. Every text
// is UTF-8: shortcut names and targets may hold characters the code page lacks.

#include <optional>
#include <string>
#include <vector>

namespace vantrel {

struct FolderListing {
    // Tells the folder apart from every other one whatever path led to it (a junction or a
    // symbolic link gives another path to the same folder); empty when the system did not say.
    std::string identity;
    std::vector<std::string> folders;   // names of the subfolders that are not hidden
    std::vector<std::string> shortcuts; // names of the .lnk and .url files that are not hidden
    // The folder itself is a junction or a symbolic link: without an identity, a way into a
    // loop that cannot be told.
    bool linked = false;
};

struct ShellLinkTarget {
    // The file or folder it opens, environment variables expanded; empty when it opens
    // something that is not a file (a Control Panel page, an installer's advertised program
    // whose files cannot be found).
    std::string path;
    std::string arguments;
    std::string workDir;
    bool isFolder = false;   // as the link remembers its target, which may be gone now
    bool runAsAdmin = false; // the link's "Run as administrator"
};

class ShortcutsApi {
  public:
    virtual ~ShortcutsApi() = default;
    // Empty when the folder cannot be read.
    virtual std::optional<FolderListing> ListFolder(const std::string& folder) = 0;
    // Through the shell's link interface; empty when the file is not a shell link.
    virtual std::optional<ShellLinkTarget> ReadShellLink(const std::string& path) = 0;
};

} // namespace vantrel
