// Folders of shortcuts and shell links made here through the shell's own link interface,
// in a folder whose name the code page cannot hold, read back through the program's edge.
#include "win32/Win32Shortcuts.h"
#include "win32/ComLibrary.h"
#include "win32/WideText.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace vantrel::win32 {
namespace {

class Win32ShortcutsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        com_ = InitializeComOnThisThread();
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        dir_ = ToUtf8(temp, wcslen(temp)) + "vantrel links \xCE\xA9";
        RemoveAll();
        CreateDirectoryW(WidenUtf8(dir_).c_str(), nullptr);
        CreateDirectoryW(WidenUtf8(Path("Sub")).c_str(), nullptr);
        WriteText("tool.exe", "MZ");
        WriteText("Site.url", "[InternetShortcut]\r\nURL=http://example.org/\r\n");
        WriteText("Not a link.lnk", "This is text, not a shell link.");
        WriteText("Hidden.lnk", "");
        SetFileAttributesW(WidenUtf8(Path("Hidden.lnk")).c_str(), FILE_ATTRIBUTE_HIDDEN);
    }
    void TearDown() override {
        RemoveAll();
        if (com_)
            UninitializeComOnThisThread();
    }

    std::string Path(const std::string& name) const { return dir_ + "\\" + name; }

    void WriteText(const std::string& name, const std::string& text) {
        const HANDLE file = CreateFileW(WidenUtf8(Path(name)).c_str(), GENERIC_WRITE, 0, nullptr,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        CloseHandle(file);
    }

    // A shell link saved as the shell saves one.
    void MakeLink(const std::string& name, const std::string& target, const std::string& arguments,
                  const std::string& workDir, bool runAsAdmin) {
        IShellLinkW* link = nullptr;
        ASSERT_TRUE(CreateInProcessObject(CLSID_ShellLink, IID_IShellLinkW,
                                          reinterpret_cast<void**>(&link)));
        link->SetPath(WidenUtf8(target).c_str());
        link->SetArguments(WidenUtf8(arguments).c_str());
        link->SetWorkingDirectory(WidenUtf8(workDir).c_str());
        IPersistFile* file = nullptr;
        ASSERT_TRUE(
            SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))));
        EXPECT_TRUE(SUCCEEDED(file->Save(WidenUtf8(Path(name)).c_str(), TRUE)));
        file->Release();
        link->Release();
        if (runAsAdmin)
            SetLinkFlag(name, SLDF_RUNAS_USER);
    }

    // Sets a flag in the link's header (its fifth 32-bit word), where the shell's Properties
    // dialog keeps "Run as administrator": not every shell's IShellLinkDataList saves it.
    void SetLinkFlag(const std::string& name, DWORD flag) {
        const HANDLE file = CreateFileW(WidenUtf8(Path(name)).c_str(), GENERIC_READ | GENERIC_WRITE,
                                        0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD flags = 0, done = 0;
        SetFilePointer(file, 0x14, nullptr, FILE_BEGIN);
        ReadFile(file, &flags, sizeof flags, &done, nullptr);
        flags |= flag;
        SetFilePointer(file, 0x14, nullptr, FILE_BEGIN);
        WriteFile(file, &flags, sizeof flags, &done, nullptr);
        CloseHandle(file);
    }

    void RemoveAll() {
        for (const char* name : {"tool.exe", "Site.url", "Not a link.lnk", "Hidden.lnk", "Tool.lnk",
                                 "Sub.lnk", "Gone.lnk"}) {
            SetFileAttributesW(WidenUtf8(Path(name)).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(WidenUtf8(Path(name)).c_str());
        }
        RemoveDirectoryW(WidenUtf8(Path("Sub")).c_str());
        RemoveDirectoryW(WidenUtf8(dir_).c_str());
    }

    bool com_ = false;
    std::string dir_;
    Win32Shortcuts shortcuts_;
};

TEST_F(Win32ShortcutsTest, ListsSubfoldersAndShortcutsButNotHiddenOnes) {
    MakeLink("Tool.lnk", Path("tool.exe"), "", "", false);
    std::optional<FolderListing> listing = shortcuts_.ListFolder(dir_);
    ASSERT_TRUE(listing);
    std::sort(listing->shortcuts.begin(), listing->shortcuts.end());
    EXPECT_EQ(listing->folders, std::vector<std::string>{"Sub"});
    EXPECT_EQ(listing->shortcuts,
              (std::vector<std::string>{"Not a link.lnk", "Site.url", "Tool.lnk"}));
    // Another path to the same folder is the same folder.
    const std::optional<FolderListing> again = shortcuts_.ListFolder(Path("Sub\\.."));
    ASSERT_TRUE(again);
    EXPECT_FALSE(listing->identity.empty());
    EXPECT_EQ(again->identity, listing->identity);
    EXPECT_FALSE(listing->linked);
    EXPECT_NE(shortcuts_.ListFolder(Path("Sub"))->identity, listing->identity);
    EXPECT_FALSE(shortcuts_.ListFolder(Path("Missing")));
}

TEST_F(Win32ShortcutsTest, ReadsWhatALinkOpens) {
    MakeLink("Tool.lnk", Path("tool.exe"), "-a \"b c\"", Path("Sub"), true);
    MakeLink("Sub.lnk", Path("Sub"), "", "", false);
    MakeLink("Gone.lnk", "Q:\\Gone\\app.exe", "/x", "Q:\\Gone", false);

    const std::optional<ShellLinkTarget> tool = shortcuts_.ReadShellLink(Path("Tool.lnk"));
    ASSERT_TRUE(tool);
    EXPECT_EQ(tool->path, Path("tool.exe"));
    EXPECT_EQ(tool->arguments, "-a \"b c\"");
    EXPECT_EQ(tool->workDir, Path("Sub"));
    EXPECT_FALSE(tool->isFolder);
    EXPECT_TRUE(tool->runAsAdmin);

    const std::optional<ShellLinkTarget> folder = shortcuts_.ReadShellLink(Path("Sub.lnk"));
    ASSERT_TRUE(folder);
    EXPECT_EQ(folder->path, Path("Sub"));
    EXPECT_TRUE(folder->isFolder);

    // A link to a drive that is not there comes as it is.
    const std::optional<ShellLinkTarget> gone = shortcuts_.ReadShellLink(Path("Gone.lnk"));
    ASSERT_TRUE(gone);
    EXPECT_EQ(gone->path, "Q:\\Gone\\app.exe");
    EXPECT_EQ(gone->arguments, "/x");
    EXPECT_EQ(gone->workDir, "Q:\\Gone");

    EXPECT_FALSE(shortcuts_.ReadShellLink(Path("Not a link.lnk")));
    EXPECT_FALSE(shortcuts_.ReadShellLink(Path("Missing.lnk")));
}

// A link's "%ProgramFiles%", in any case, is the 64-bit folder where the system has one.
TEST(Win32ShortcutsPaths, ProgramFilesIsTheNativeFolderWhateverItsCase) {
    wchar_t native[MAX_PATH] = {};
    const DWORD had = GetEnvironmentVariableW(L"ProgramW6432", native, MAX_PATH);
    SetEnvironmentVariableW(L"ProgramW6432", L"C:\\Native");
    const std::wstring lower = AsTheShellReadsIt(L"%programfiles%\\a;%CommonProgramFiles%");
    SetEnvironmentVariableW(L"ProgramW6432", nullptr);
    const std::wstring without = AsTheShellReadsIt(L"%ProgramFiles%\\a");
    SetEnvironmentVariableW(L"ProgramW6432", had ? native : nullptr);
    EXPECT_EQ(ToUtf8(lower), GetEnvironmentVariableW(L"CommonProgramW6432", nullptr, 0) > 0
                                 ? "%ProgramW6432%\\a;%CommonProgramW6432%"
                                 : "%ProgramW6432%\\a;%CommonProgramFiles%");
    EXPECT_EQ(ToUtf8(without), "%ProgramFiles%\\a");
}

} // namespace
} // namespace vantrel::win32
