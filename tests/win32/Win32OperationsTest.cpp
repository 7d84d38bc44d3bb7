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
    const std::string text = RunValueOf("C:\\My Tools\\Vantrel.exe");
    ASSERT_TRUE(writer.SetUserString(RunKeyPath, TestValue, text));
    const auto value = reader.ReadUserValue(RunKeyPath, TestValue, 280);
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->size, text.size() + 1);
    EXPECT_EQ(value->bytes, text + std::string(1, '\0'));

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
