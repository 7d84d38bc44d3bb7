#include "fakes/FakeShortcuts.h"

#include "fakes/FakePlatform.h"

namespace vantrel::testing {

std::optional<FolderListing> FakeShortcuts::ListFolder(const std::string& folder) {
    log_.Add("ListFolder " + folder);
    const auto it = folders.find(folder);
    return it == folders.end() ? std::nullopt : std::optional<FolderListing>(it->second);
}

std::optional<ShellLinkTarget> FakeShortcuts::ReadShellLink(const std::string& path) {
    log_.Add("ReadShellLink " + path);
    const auto it = links.find(path);
    return it == links.end() ? std::nullopt : std::optional<ShellLinkTarget>(it->second);
}

} // namespace vantrel::testing
