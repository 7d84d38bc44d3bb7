// The Windows side of the operations and the start-up switch, for real under Wine. No power
// or session request is ever made here: only the look-ups and the privilege.

#include "app/MainForm.h"
#include "update/StartupSwitch.h"
#include "win32/Win32Messages.h"
#include "win32/Win32Power.h"
#include "win32/Win32Registry.h"
#include "win32/Win32RegistryWrite.h"

#include <gtest/gtest.h>

#include <thread>

namespace vantrel::win32 {
namespace {

const char* const TestValue = "Vantrel test value";

TEST(Win32RegistryWriteTest, WritesTheStringWithItsZeroAndDeletesIt) {
    Win32RegistryWrite writer;
    Win32Registry reader;
    // A path in a profile named in Cyrillic: 22 characters quoted, 27 bytes in UTF-8.
    const std::string text = RunValueOf("C:\\\xD0\x9F\xD0\xBE\xD0\xBB\xD1\x8C\xD0\xB7\\Vantrel.exe");
    ASSERT_TRUE(writer.SetUserString(RunKeyPath, TestValue, text));
    const auto value = reader.ReadUserValue(RunKeyPath, TestValue, 280);
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->size, 23u); // UTF-16 units, the terminating zero included
    EXPECT_EQ(value->text, text);

    EXPECT_TRUE(writer.DeleteUserValue(RunKeyPath, TestValue));
    EXPECT_FALSE(reader.ReadUserValue(RunKeyPath, TestValue, 280).has_value());
    EXPECT_FALSE(writer.DeleteUserValue(RunKeyPath, TestValue)); // nothing left to delete
}

TEST(Win32RegistryWriteTest, AKeyThatDoesNotExistIsNotCreated) {
    Win32RegistryWrite writer;
    const std::string missing = "Software\\Vantrel test key that does not exist";
    EXPECT_FALSE(writer.SetUserString(missing, TestValue, "x"));
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, missing.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
}

TEST(Win32PowerTest, FindsSetSuspendStateInTheSystemPowerLibrary) {
    EXPECT_TRUE(Win32Power::CanSuspend());
    // Looked up on demand only: the program does not keep the library loaded.
    EXPECT_EQ(GetModuleHandleA("powrprof.dll"), nullptr);
}

bool ShutdownPrivilegeEnabled() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    LUID shutdown{};
    LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &shutdown);
    PRIVILEGE_SET set{};
    set.PrivilegeCount = 1;
    set.Control = PRIVILEGE_SET_ALL_NECESSARY;
    set.Privilege[0].Luid = shutdown;
    BOOL held = FALSE;
    PrivilegeCheck(token, &set, &held);
    CloseHandle(token);
    return held != FALSE;
}

TEST(Win32PowerTest, EnablesTheShutdownPrivilege) {
    Win32Power power;
    EXPECT_TRUE(power.EnableShutdownPrivilege());
    EXPECT_TRUE(ShutdownPrivilegeEnabled());
}

TEST(Win32MessagesTest, PostsFromAnotherThreadToTheWindow) {
    Win32Messages messages;
    EXPECT_FALSE(messages.PostToMainForm(WM_USER + 10, 0, 1)); // no window yet
    HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    messages.SetWindow(window);
    std::thread worker([&] { messages.PostToMainForm(WM_USER + 10, 0, 1234); });
    worker.join();
    MSG message{};
    ASSERT_TRUE(PeekMessageA(&message, window, WM_USER + 10, WM_USER + 10, PM_REMOVE));
    EXPECT_EQ(message.wParam, 0u);
    EXPECT_EQ(message.lParam, 1234);
    DestroyWindow(window);
}

} // namespace
} // namespace vantrel::win32

namespace vantrel::win32 {
namespace {

// Windows starts a Run value the way CreateProcess reads a command line without a program
// name: an unquoted path with a blank is tried piece by piece, "C:\My.exe" first.
std::string ImageStartedFor(const std::string& commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string mutableLine = commandLine;
    if (!CreateProcessA(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                        nullptr, nullptr, &startup, &process))
        return "";
    char image[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    QueryFullProcessImageNameA(process.hProcess, 0, image, &size);
    TerminateProcess(process.hProcess, 0); // suspended: it never ran a single instruction
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return image;
}

TEST(RunValueTest, TheQuotedValueStartsTheProgramNotAPlantedMyExe) {
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string harmless = std::string(system) + "\\hostname.exe";
    const std::string program = "C:\\My Tools\\Vantrel.exe";
    const std::string planted = "C:\\My.exe";
    CreateDirectoryA("C:\\My Tools", nullptr);
    if (!CopyFileA(harmless.c_str(), program.c_str(), FALSE) ||
        !CopyFileA(harmless.c_str(), planted.c_str(), FALSE))
        GTEST_SKIP() << "cannot plant files on C:";

    EXPECT_STRCASEEQ(ImageStartedFor(RunValueOf(program)).c_str(), program.c_str());
    // What the unquoted value of earlier versions started instead.
    EXPECT_STRCASEEQ(ImageStartedFor(program).c_str(), planted.c_str());

    DeleteFileA(planted.c_str());
    DeleteFileA(program.c_str());
    RemoveDirectoryA("C:\\My Tools");
}

} // namespace
} // namespace vantrel::win32
