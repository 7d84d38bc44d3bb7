#include "platform/WindowsPaths.h"
#include "render/IconExtraction.h"
#include "tree/LinkEntry.h"
#include "win32/DllSearch.h"
#include "win32/Handles.h"
#include "win32/Win32Platform.h"
#include "win32/Win32Theme.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <map>

namespace vantrel::win32 {
namespace {

struct RealPlatform : ::testing::Test {
    Win32Platform system{GetModuleHandleA(nullptr)};
};

TEST_F(RealPlatform, ReadsTheShellIconOfAProgramAndReleasesEveryHandle) {
    const HandleCounts before = LiveHandleCounts();
    LinkEntry entry;
    const std::string notepad = system.process.WindowsDirectory() + "\\notepad.exe";
    ASSERT_TRUE(LoadIconFromPath(notepad, &entry, system.platform));
    int opaque = 0;
    for (std::size_t i = 3; i < entry.Pixels().size(); i += 4)
        opaque += entry.Pixels()[i] == 255;
    EXPECT_GT(opaque, 0);
    EXPECT_EQ(LiveHandleCounts(), before);
}

TEST_F(RealPlatform, MissingPathLeavesPixelsAlone) {
    const HandleCounts before = LiveHandleCounts();
    LinkEntry entry;
    IconPixels earlier{};
    earlier[0] = 42;
    entry.SetPixels(earlier);
    EXPECT_FALSE(LoadIconFromPath("C:\\no\\such\\file.exe", &entry, system.platform));
    EXPECT_EQ(entry.Pixels()[0], 42);
    EXPECT_EQ(LiveHandleCounts(), before);
}

TEST_F(RealPlatform, ExpandsSystemRootBeforeAskingTheShell) {
    LinkEntry entry;
    EXPECT_TRUE(LoadIconFromPath("%SystemRoot%\\notepad.exe", &entry, system.platform));
    EXPECT_FALSE(LoadIconFromPath("%SYSTEMROOT%\\notepad.exe", &entry, system.platform));
}

// The reading thread asks the shell with COM of its own, the real system directory through
// its alias, and its answers reach the thread that asked through a posted message.
TEST_F(RealPlatform, TheReadingThreadReadsWhatTheMenuThreadWouldRead) {
    constexpr UINT Ready = WM_APP + 40;
    const DWORD asking = GetCurrentThreadId();
    PictureWorker worker(
        Win32PictureReader::ForProcess(),
        [asking] { return PostThreadMessageA(asking, Ready, 0, 0) != FALSE; }, RunInBackground);
    const std::string notepad = system.process.WindowsDirectory() + "\\notepad.exe";
    // Under WOW64, a program only the real System32 holds (where the test may put one there).
    const std::string system32 = system.folders.SystemDirectory();
    const std::string onlyThere = system32 + "\\vantrel-picture-test.exe";
    const std::wstring placed = WidenUtf8(ThroughSysnative(onlyThere, system32));
    const bool copied = system.process.QueryIsWow64() &&
                        CopyFileW(WidenUtf8(notepad).c_str(), placed.c_str(), FALSE);
    PictureSource program;
    program.paths = {"C:\\no\\such.exe", copied ? onlyThere : notepad};
    program.realSystemDirectory = true;
    PictureSource folder;
    folder.specialFolder = CSIDL_WINDOWS;
    ASSERT_TRUE(worker.Submit(1, program, false));
    ASSERT_TRUE(worker.Submit(2, folder, true));

    std::map<PictureTicket, std::optional<RawIcon>> answers;
    const DWORD start = GetTickCount();
    while (answers.size() < 2 && GetTickCount() - start < 10000) {
        MSG message;
        if (PeekMessageA(&message, nullptr, Ready, Ready, PM_REMOVE))
            for (PictureAnswer& answer : worker.TakeAnswers())
                answers[answer.ticket] = std::move(answer.icon);
        Sleep(5);
    }
    if (copied)
        DeleteFileW(placed.c_str());
    ASSERT_EQ(answers.size(), 2u);
    LinkEntry direct;
    ASSERT_TRUE(LoadIconFromPath(notepad, &direct, system.platform));
    ASSERT_TRUE(answers[1].has_value());
    EXPECT_EQ(ConvertIcon(*answers[1]), direct.Pixels());
    ASSERT_TRUE(answers[2].has_value());
    EXPECT_TRUE(ConvertIcon(*answers[2]).has_value());
    worker.Stop();
    EXPECT_TRUE(worker.Finished());
}

TEST_F(RealPlatform, ProcessFactsAreConsistent) {
    EXPECT_FALSE(system.process.ModuleFileName().empty());
    EXPECT_GE(system.process.GetVersion() & 0xFF, 5u);
    if (system.process.QueryIsWow64()) {
        EXPECT_TRUE(system.process.HasDisableRedirection());
        EXPECT_TRUE(system.process.HasRevertRedirection());
    }
}

TEST_F(RealPlatform, MissingRegistryValueReadsAsAbsent) {
    EXPECT_FALSE(system.registry
                     .ReadUserValue("Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                                    "Vantrel test value that does not exist", 280)
                     .has_value());
}

// The app mode as Settings stores it; a value of another type must not pass for dark.
TEST(Win32ThemeTest, ReadsTheAppModeOnlyFromANumber) {
    const wchar_t* key = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
    HKEY personalize = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &personalize, nullptr),
              ERROR_SUCCESS);
    auto setNumber = [&](DWORD value) {
        RegSetValueExW(personalize, L"AppsUseLightTheme", 0, REG_DWORD,
                       reinterpret_cast<const BYTE*>(&value), sizeof value);
    };
    Win32Theme theme;
    RegDeleteValueW(personalize, L"AppsUseLightTheme");
    EXPECT_EQ(theme.AppsUseLightTheme(), std::nullopt);
    setNumber(0);
    EXPECT_EQ(theme.AppsUseLightTheme(), 0u);
    setNumber(1);
    EXPECT_EQ(theme.AppsUseLightTheme(), 1u);
    const wchar_t text[] = L"0";
    RegSetValueExW(personalize, L"AppsUseLightTheme", 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(text), sizeof text);
    EXPECT_EQ(theme.AppsUseLightTheme(), std::nullopt);
    RegDeleteValueW(personalize, L"AppsUseLightTheme");
    RegCloseKey(personalize);
}

TEST(DllSearchTest, LoadsOnDemandLibrariesFromSystem32) {
    HMODULE wininet = LoadSystemLibrary("wininet.dll");
    ASSERT_NE(wininet, nullptr);
    FreeLibrary(wininet);
    EXPECT_EQ(LoadSystemLibrary("no-such-library-vantrel.dll"), nullptr);
}

} // namespace
} // namespace vantrel::win32
