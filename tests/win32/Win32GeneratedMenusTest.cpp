// The shell-folder and drive pieces of the Windows edge, against the real system.
#include "win32/Win32Drives.h"
#include "win32/Win32ShellFolders.h"

#include <gtest/gtest.h>

#include <shlobj.h>

namespace vantrel::win32 {
namespace {

TEST(Win32ShellFoldersTest, TheWindowsFolderHasTheSystemWindowsDirectoryAsItsPath) {
    Win32ShellFolders folders;
    const std::string windows = folders.SystemWindowsDirectory();
    ASSERT_FALSE(windows.empty());
    const ItemIdList list = folders.SpecialFolderLocation(CSIDL_WINDOWS);
    ASSERT_TRUE(list);
    const std::optional<std::string> path = folders.PathFromIdList(list.Get());
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, path->c_str(), -1,
                             windows.c_str(), -1),
              CSTR_EQUAL);
}

TEST(Win32ShellFoldersTest, DirectoriesAreReadWhole) {
    Win32ShellFolders folders;
    const std::string system = folders.SystemDirectory();
    ASSERT_GT(system.size(), 3u);
    EXPECT_EQ(system.substr(1, 2), ":\\");
    const std::string temp = folders.TempPath();
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(temp.back(), '\\'); // the system's temporary path keeps its backslash
}

TEST(Win32ShellFoldersTest, AVirtualFolderHasNoPath) {
    Win32ShellFolders folders;
    const ItemIdList list = folders.SpecialFolderLocation(CSIDL_DRIVES);
    if (!list)
        GTEST_SKIP() << "this system has no My Computer folder";
    EXPECT_FALSE(folders.PathFromIdList(list.Get()).has_value());
}

// Runs the thread's messages until the condition holds or the time is up.
template <typename Condition> bool PumpUntil(Condition condition, DWORD milliseconds = 5000) {
    const DWORD start = GetTickCount();
    while (!condition() && GetTickCount() - start < milliseconds) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(5);
    }
    return condition();
}

TEST(Win32DrivesTest, TheSystemDriveIsAFixedDriveOfTheMask) {
    Win32Drives drives;
    Win32ShellFolders folders;
    const char letter = folders.SystemWindowsDirectory().at(0);
    EXPECT_NE(drives.LogicalDrives() & (1u << (letter - 'A')), 0u);
    EXPECT_EQ(drives.TypeOfDrive(std::string(1, letter) + ":\\"), DriveType::Fixed);
}

// Asked for a picture larger than the small icon (a monitor at 200%), the shell's large icon
// comes, to be fitted by the caller.
TEST(Win32DrivesTest, ABackgroundIconArrivesOnTheCallingThread) {
    Win32Drives drives;
    const DWORD guiThread = GetCurrentThreadId();
    bool answered = false;
    std::optional<RawIcon> icon;
    DWORD answeredOn = 0;
    ASSERT_TRUE(drives.RequestIconInBackground("C:\\", 32, [&](std::optional<RawIcon> result) {
        answered = true;
        answeredOn = GetCurrentThreadId();
        icon = std::move(result);
    }));
    ASSERT_TRUE(PumpUntil([&] { return answered; }));
    EXPECT_EQ(answeredOn, guiThread);
    ASSERT_TRUE(icon.has_value());
    EXPECT_TRUE(icon->colourRead);
    EXPECT_EQ(icon->colour.Side(), GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(drives.Waiting(), 0u);
}

TEST(Win32DrivesTest, AnAnswerAfterTheOwnerIsGoneIsDropped) {
    bool answered = false;
    {
        Win32Drives drives;
        ASSERT_TRUE(drives.RequestIconInBackground(
            "C:\\no such folder\\", IconSide, [&](std::optional<RawIcon>) { answered = true; }));
    }
    PumpUntil([] { return false; }, 500); // the lookup ends with nobody to tell
    EXPECT_FALSE(answered);
}

} // namespace
} // namespace vantrel::win32
