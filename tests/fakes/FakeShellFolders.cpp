#include "fakes/FakeShellFolders.h"

#include "fakes/FakePlatform.h"

#include <cstdio>
#include <stdexcept>

namespace vantrel::testing {

std::string FakeShellFolders::Csidl(int csidl) {
    char text[32];
    std::snprintf(text, sizeof text, "csidl=0x%04X", static_cast<unsigned>(csidl));
    return text;
}

const void* FakeShellFolders::IdListOf(int csidl) {
    int& slot = lists_[csidl];
    slot = csidl;
    return &slot;
}

int FakeShellFolders::CsidlOf(const void* idList) const {
    for (const auto& [csidl, slot] : lists_)
        if (&slot == idList)
            return csidl;
    throw std::logic_error("an identifier list the fake never handed out");
}

ItemIdList FakeShellFolders::SpecialFolderLocation(int csidl) {
    log_.Add("SHGetSpecialFolderLocation " + Csidl(csidl));
    if (csidl == throwOnLocationOf)
        throw std::runtime_error("lookup failed");
    if (folders.find(csidl) == folders.end())
        return {};
    ++liveIdLists;
    return ItemIdList(IdListOf(csidl), *this);
}

std::optional<std::string> FakeShellFolders::PathFromIdList(const void* idList) {
    const int csidl = CsidlOf(idList);
    log_.Add("SHGetPathFromIDList " + Csidl(csidl));
    return folders.at(csidl);
}

bool FakeShellFolders::OpenIdList(const void* idList) {
    log_.Add("ShellExecuteEx SEE_MASK_IDLIST verb=open show=1 " + Csidl(CsidlOf(idList)));
    return openResult;
}

void FakeShellFolders::FreeIdList(const void* idList) {
    log_.Add("ILFree " + Csidl(CsidlOf(idList)));
    --liveIdLists;
}

std::string FakeShellFolders::SystemDirectory() {
    log_.Add("GetSystemDirectory");
    return systemDirectory;
}

std::string FakeShellFolders::SystemWindowsDirectory() {
    log_.Add("GetSystemWindowsDirectory");
    return systemWindowsDirectory;
}

std::string FakeShellFolders::TempPath() {
    log_.Add("GetTempPath");
    return tempPath;
}

} // namespace vantrel::testing
