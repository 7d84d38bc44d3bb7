#include "win32/Win32Shortcuts.h"

#include "win32/ComLibrary.h"
#include "win32/OnDemandLibrary.h"
#include "win32/WideText.h"

#include <shlobj.h>

#include <string>

namespace vantrel::win32 {

namespace {
// Longer than any path a link keeps: a buffer too small would cut the path silently.
constexpr int LinkTextChars = 2048;
constexpr DWORD GuidChars = 39; // a product, feature or component code and its zero

// One reference to a COM object, released on every path.
template <typename Interface> class ComRef {
  public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef() {
        if (object_)
            object_->Release();
    }
    void** Out() { return reinterpret_cast<void**>(&object_); }
    Interface* operator->() const { return object_; }
    Interface& operator*() const { return *object_; }
    explicit operator bool() const { return object_ != nullptr; }

  private:
    Interface* object_ = nullptr;
};

class FindHandle {
  public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    ~FindHandle() {
        if (handle_ != INVALID_HANDLE_VALUE)
            FindClose(handle_);
    }
    HANDLE Get() const { return handle_; }

  private:
    HANDLE handle_;
};

std::wstring Joined(const std::string& folder, const wchar_t* name) {
    std::wstring path = WidenUtf8(folder);
    if (!path.empty() && path.back() != L'\\')
        path += L'\\';
    return path + name;
}

bool EndsWithNoCase(const std::wstring& name, const wchar_t* end) {
    const std::size_t size = wcslen(end);
    return name.size() >= size && _wcsicmp(name.c_str() + name.size() - size, end) == 0;
}

void Take(const WIN32_FIND_DATAW& found, FolderListing& listing) {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L".." || (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN))
        return;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        listing.folders.push_back(ToUtf8(name));
    else if (EndsWithNoCase(name, L".lnk") || EndsWithNoCase(name, L".url"))
        listing.shortcuts.push_back(ToUtf8(name));
}

// The volume and the file index: the same for every path that leads to the folder.
std::string IdentityOf(const std::string& folder) {
    const HANDLE handle = CreateFileW(WidenUtf8(folder).c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return std::string();
    BY_HANDLE_FILE_INFORMATION information{};
    const bool known = GetFileInformationByHandle(handle, &information) != FALSE;
    CloseHandle(handle);
    if (!known)
        return std::string();
    return std::to_string(information.dwVolumeSerialNumber) + ":" +
           std::to_string(information.nFileIndexHigh) + ":" +
           std::to_string(information.nFileIndexLow);
}

std::string Expanded(const wchar_t* raw) {
    const std::wstring path = AsTheShellReadsIt(raw);
    wchar_t buffer[LinkTextChars];
    const DWORD length = ExpandEnvironmentStringsW(path.c_str(), buffer, LinkTextChars);
    if (length == 0 || length > LinkTextChars)
        return ToUtf8(path);
    return ToUtf8(buffer, wcsnlen(buffer, LinkTextChars));
}

// An installer's advertised shortcut names its program through the installer, not by path.
std::string AdvertisedProgram(const std::wstring& link) {
    using TargetFn = UINT(WINAPI*)(LPCWSTR, LPWSTR, LPWSTR, LPWSTR);
    using ComponentPathFn = int(WINAPI*)(LPCWSTR, LPCWSTR, LPWSTR, DWORD*);
    static const OnDemandLibrary* const msi = new OnDemandLibrary("msi.dll");
    const auto target = msi->Find<TargetFn>("MsiGetShortcutTargetW");
    const auto componentPath = msi->Find<ComponentPathFn>("MsiGetComponentPathW");
    wchar_t product[GuidChars] = {}, feature[GuidChars] = {}, component[GuidChars] = {};
    if (!target || !componentPath ||
        target(link.c_str(), product, feature, component) != ERROR_SUCCESS)
        return std::string();
    wchar_t path[LinkTextChars] = {};
    DWORD size = LinkTextChars;
    constexpr int InstalledLocally = 3;
    if (componentPath(product, component, path, &size) != InstalledLocally)
        return std::string();
    return ToUtf8(path, wcsnlen(path, LinkTextChars));
}

// The flags in the link file's header (its fifth 32-bit word, after the header's size and
// class), where "Run as administrator" is kept: not every shell's IShellLinkDataList reports
// them all.
DWORD HeaderFlags(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    DWORD header[6] = {};
    DWORD read = 0;
    const bool whole =
        ReadFile(file, header, sizeof header, &read, nullptr) && read == sizeof header;
    CloseHandle(file);
    constexpr DWORD HeaderSize = 0x4C;
    return whole && header[0] == HeaderSize ? header[5] : 0;
}

// The link remembers what its target was; a link that does not say is asked of the target
// itself, which may be gone.
bool IsFolder(const WIN32_FIND_DATAW& found, const std::string& path) {
    if (found.dwFileAttributes != 0)
        return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const DWORD attributes = GetFileAttributesW(WidenUtf8(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The path of the item the link holds, which names it in full whatever the code page; empty
// when the item is not a file or folder.
std::string PathOfItem(IShellLinkW& link) {
    ITEMIDLIST* item = nullptr;
    wchar_t path[MAX_PATH] = {};
    const bool found = SUCCEEDED(link.GetIDList(&item)) && item && SHGetPathFromIDListW(item, path);
    ILFree(item);
    return found ? ToUtf8(path, wcsnlen(path, MAX_PATH)) : std::string();
}

// A link that keeps its target with environment variables ("%ProgramFiles%\...") is read as
// written and expanded here; any other by its item, or by the path it keeps besides.
void ReadTexts(IShellLinkW& link, DWORD flags, ShellLinkTarget& target) {
    wchar_t text[LinkTextChars] = {};
    WIN32_FIND_DATAW found{};
    const DWORD how = (flags & SLDF_HAS_EXP_SZ) ? SLGP_RAWPATH : 0;
    if (SUCCEEDED(link.GetPath(text, LinkTextChars, &found, how)) && text[0]) {
        const std::string item = how == 0 ? PathOfItem(link) : std::string();
        target.path = item.empty() ? Expanded(text) : item;
        target.isFolder = IsFolder(found, target.path);
    }
    text[0] = L'\0';
    if (SUCCEEDED(link.GetArguments(text, LinkTextChars)))
        target.arguments = ToUtf8(text, wcsnlen(text, LinkTextChars));
    text[0] = L'\0';
    if (SUCCEEDED(link.GetWorkingDirectory(text, LinkTextChars)) && text[0])
        target.workDir = Expanded(text);
}
} // namespace

// Names of the environment are compared without regard to case, as the system compares
// them; each is as long as its native name, so the places found stay where they were.
std::wstring AsTheShellReadsIt(std::wstring path) {
    const std::pair<const wchar_t*, const wchar_t*> renames[] = {
        {L"PROGRAMFILES", L"ProgramW6432"}, {L"COMMONPROGRAMFILES", L"CommonProgramW6432"}};
    std::wstring upper = path;
    CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    for (const auto& [name, native] : renames) {
        const std::size_t at = upper.find(L"%" + std::wstring(name) + L"%");
        if (at != std::wstring::npos && GetEnvironmentVariableW(native, nullptr, 0) > 0)
            path.replace(at + 1, wcslen(name), native);
    }
    return path;
}

std::optional<FolderListing> Win32Shortcuts::ListFolder(const std::string& folder) {
    WIN32_FIND_DATAW found{};
    const FindHandle find(FindFirstFileExW(Joined(folder, L"*").c_str(), FindExInfoBasic, &found,
                                           FindExSearchNameMatch, nullptr, 0));
    FolderListing listing;
    if (find.Get() == INVALID_HANDLE_VALUE) {
        // An empty drive has not even "." and "..".
        if (GetLastError() != ERROR_FILE_NOT_FOUND)
            return std::nullopt;
        listing.identity = IdentityOf(folder);
        return listing;
    }
    listing.identity = IdentityOf(folder);
    const DWORD attributes = GetFileAttributesW(WidenUtf8(folder).c_str());
    listing.linked =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
    do
        Take(found, listing);
    while (FindNextFileW(find.Get(), &found));
    return listing;
}

std::optional<ShellLinkTarget> Win32Shortcuts::ReadShellLink(const std::string& path) {
    ComRef<IShellLinkW> link;
    ComRef<IPersistFile> file;
    const std::wstring wide = WidenUtf8(path);
    if (!CreateInProcessObject(CLSID_ShellLink, IID_IShellLinkW, link.Out()) ||
        FAILED(link->QueryInterface(IID_IPersistFile, file.Out())) ||
        FAILED(file->Load(wide.c_str(), STGM_READ)))
        return std::nullopt;
    ComRef<IShellLinkDataList> data;
    DWORD flags = 0;
    if (FAILED(link->QueryInterface(IID_IShellLinkDataList, data.Out())) ||
        FAILED(data->GetFlags(&flags)))
        flags = 0;
    flags |= HeaderFlags(wide);
    ShellLinkTarget target;
    ReadTexts(*link, flags, target);
    target.runAsAdmin = (flags & SLDF_RUNAS_USER) != 0;
    if (flags & SLDF_HAS_DARWINID)
        target.path = AdvertisedProgram(wide);
    return target;
}

} // namespace vantrel::win32
