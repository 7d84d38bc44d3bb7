#pragma once
// Recording stand-in for the shell's special folders and the system directories. A folder
// exists when the test lists it; its identifier list is a stable opaque pointer, so a test
// can give it an icon (FakeIcons::byIdList) and check that every list handed out was freed.

#include "platform/ShellFoldersApi.h"

#include <map>
#include <optional>
#include <string>

namespace vantrel::testing {

struct CallLog;

class FakeShellFolders : public ShellFoldersApi {
  public:
    explicit FakeShellFolders(CallLog& log) : log_(log) {}

    // The special folders this machine has, by CSIDL, with their file-system path
    // (nullopt for a virtual folder such as Control Panel). Any other CSIDL fails.
    std::map<int, std::optional<std::string>> folders;
    std::string systemDirectory = "C:\\Windows\\system32";
    std::string systemWindowsDirectory = "C:\\Windows";
    std::string tempPath = "C:\\Users\\me\\AppData\\Local\\Temp\\";
    bool openResult = true;
    int throwOnLocationOf = -1; // a CSIDL whose lookup throws, to test failures part-way

    long liveIdLists = 0; // handed out and not yet freed

    // The identifier list the shell hands out for a folder.
    const void* IdListOf(int csidl);

    ItemIdList SpecialFolderLocation(int csidl) override;
    std::optional<std::string> PathFromIdList(const void* idList) override;
    bool OpenIdList(const void* idList) override;
    void FreeIdList(const void* idList) override;
    std::string SystemDirectory() override;
    std::string SystemWindowsDirectory() override;
    std::string TempPath() override;

    static std::string Csidl(int csidl); // "csidl=0x002F", as the log writes it

  private:
    int CsidlOf(const void* idList) const;

    CallLog& log_;
    std::map<int, int> lists_; // the addresses of the values are the identifier lists
};

} // namespace vantrel::testing
