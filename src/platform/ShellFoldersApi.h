#pragma once
// The shell's special folders and the system's own directories, as the System Links menu
// needs them.

#include <optional>
#include <string>
#include <utility>

namespace vantrel {

class ShellFoldersApi;

// An absolute item identifier list the shell handed out, freed (ILFree) when its
// owner goes, on every path. Empty when the shell had none to give.
class ItemIdList {
  public:
    ItemIdList() = default;
    ItemIdList(const void* list, ShellFoldersApi& folders) : list_(list), folders_(&folders) {}
    ItemIdList(const ItemIdList&) = delete;
    ItemIdList& operator=(const ItemIdList&) = delete;
    ItemIdList(ItemIdList&& other) noexcept
        : list_(std::exchange(other.list_, nullptr)), folders_(other.folders_) {}
    ItemIdList& operator=(ItemIdList&& other) noexcept;
    ~ItemIdList() { Reset(); }

    const void* Get() const { return list_; }
    explicit operator bool() const { return list_ != nullptr; }
    void Reset();

  private:
    const void* list_ = nullptr;
    ShellFoldersApi* folders_ = nullptr;
};

// CSIDL numbers of the folders the program reaches.
enum SpecialFolder : int {
    FolderDesktop = 0x0000,
    FolderPrograms = 0x0002, // the Start menu's programs, the user's own
    FolderControls = 0x0003,
    FolderPersonal = 0x0005,
    FolderDrives = 0x0011,
    FolderNetwork = 0x0012,
    FolderCommonPrograms = 0x0017, // the Start menu's programs for all users
    FolderWindows = 0x0024,
    FolderProgramFiles = 0x0026,
    FolderProgramFilesX86 = 0x002A,
    FolderCommonDocuments = 0x002E,
    FolderCommonAdminTools = 0x002F,
    FolderConnections = 0x0031,
};

class ShellFoldersApi {
  public:
    virtual ~ShellFoldersApi() = default;

    // SHGetSpecialFolderLocation with no owner window; empty when the shell has no such
    // folder on this machine.
    virtual ItemIdList SpecialFolderLocation(int csidl) = 0;
    // SHGetPathFromIDList, in UTF-8; empty when the folder has no file-system path.
    virtual std::optional<std::string> PathFromIdList(const void* idList) = 0;
    // ShellExecuteEx with SEE_MASK_IDLIST, verb "open" and SW_SHOWNORMAL; file,
    // parameters, directory and owner window null. True when the shell reported success.
    virtual bool OpenIdList(const void* idList) = 0;
    // ILFree; ItemIdList calls it.
    virtual void FreeIdList(const void* idList) = 0;

    // GetSystemDirectory, GetSystemWindowsDirectory and GetTempPath read with a buffer of 280
    // characters: the text the system wrote, in UTF-8 (the temporary folder lies in the
    // user's profile); empty when the call failed or did not fit.
    virtual std::string SystemDirectory() = 0;
    virtual std::string SystemWindowsDirectory() = 0;
    virtual std::string TempPath() = 0;
};

inline ItemIdList& ItemIdList::operator=(ItemIdList&& other) noexcept {
    if (this != &other) {
        Reset();
        list_ = std::exchange(other.list_, nullptr);
        folders_ = other.folders_;
    }
    return *this;
}

inline void ItemIdList::Reset() {
    if (list_ && folders_)
        folders_->FreeIdList(list_);
    list_ = nullptr;
}

} // namespace vantrel
