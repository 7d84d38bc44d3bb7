#pragma once
// Recording stand-in for folders of shortcuts: a folder can be read when the test lists it,
// a file is a shell link when the test gives its target.

#include "platform/ShortcutsApi.h"

#include <map>
#include <string>

namespace vantrel::testing {

struct CallLog;

class FakeShortcuts : public ShortcutsApi {
  public:
    explicit FakeShortcuts(CallLog& log) : log_(log) {}

    std::map<std::string, FolderListing> folders;
    std::map<std::string, ShellLinkTarget> links;

    // "ListFolder C:\Links", "ReadShellLink C:\Links\a.lnk".
    std::optional<FolderListing> ListFolder(const std::string& folder) override;
    std::optional<ShellLinkTarget> ReadShellLink(const std::string& path) override;

  private:
    CallLog& log_;
};

} // namespace vantrel::testing
