// The Windows side of the operations and the start-up switch, for real under Wine. No power
// or session request is ever made here: only the look-ups and the privilege.

#include "app/MainForm.h"
#include "update/StartupSwitch.h"
#include "win32/Win32Messages.h"
#include "win32/Win32Power.h"
#include "win32/Win32Registry.h"
#include "win32/Win32RegistryWrite.h"

#include <gtest/gtest.h>

#include <chrono>
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

// A top-level window whose thread stops taking messages, as a hung program's window does,
// until it is released or holdMs have passed.
class HungWindow {
  public:
    explicit HungWindow(DWORD holdMs)
        : created_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
          released_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
        thread_ = std::thread([this, holdMs] {
            window_ = CreateWindowExA(0, "STATIC", "Vantrel hung test window", WS_POPUP, 0, 0, 10,
                                      10, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
            SetEvent(created_);
            WaitForSingleObject(released_, holdMs); // deaf to every message meanwhile
            MSG message{};
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&message);
            DestroyWindow(window_);
        });
        WaitForSingleObject(created_, 10000);
    }
    HungWindow(const HungWindow&) = delete;
    HungWindow& operator=(const HungWindow&) = delete;
    ~HungWindow() {
        SetEvent(released_);
        thread_.join();
        CloseHandle(released_);
        CloseHandle(created_);
    }
    HWND Window() const { return window_; }

  private:
    HANDLE created_;
    HANDLE released_;
    HWND window_ = nullptr;
    std::thread thread_;
};

UINT broadcastHeard = 0;
LRESULT CALLBACK HearBroadcast(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= 0xC000) // registered messages only: the test's own broadcast
        broadcastHeard = message;
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(Win32PowerTest, ABroadcastReachesWindowsWithoutWaitingForAHungOne) {
    // Monitor sleep used to wait here until the hung window answered, that is for ever.
    HungWindow hung(15000);
    ASSERT_NE(hung.Window(), nullptr);
    HWND listener = CreateWindowExA(0, "STATIC", "Vantrel listening test window", WS_POPUP, 0, 0,
                                    10, 10, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(listener, nullptr);
    SetWindowLongPtrA(listener, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HearBroadcast));
    const UINT harmless = RegisterWindowMessageA("Vantrel test broadcast");
    const auto started = std::chrono::steady_clock::now();
    Win32Power().BroadcastMessage(harmless, 0, 0);
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - started);
    DestroyWindow(listener);
    EXPECT_LT(waited.count(), 5000);
    EXPECT_EQ(broadcastHeard, harmless);
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
