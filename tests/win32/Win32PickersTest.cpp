// The real file-open dialog and folder browser, opened from a button of a shown dialog and
// answered from another thread: their owner, their start, and what they hand back.
#include "win32/Win32Pickers.h"
#include "editors/ControlTable.h"
#include "win32/DialogHost.h"
#include "ThreadWindows.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>

namespace vantrel::win32 {
namespace {

using testing::TitleOf;
using testing::WaitForWindow;

const char* const OwnerCaption = "Picker owner";

// One button; a click runs the test's action inside the shown dialog, then closes it.
class ButtonDialog : public DialogModel {
  public:
    explicit ButtonDialog(std::function<void(ButtonDialog&)> action)
        : DialogModel(OwnerCaption, 200, 60,
                      {MakeControl("Button1", ControlKind::Button, "...", {10, 10, 40, 25})}),
          action_(std::move(action)) {}

  protected:
    void OnClick(const std::string& name) override {
        if (name != "Button1")
            return;
        action_(*this);
        Close(ModalResult::Ok);
    }

  private:
    std::function<void(ButtonDialog&)> action_;
};

struct Seen {
    HWND dialog = nullptr;
    HWND pickerOwner = nullptr;
};

// From another thread: clicks the dialog's button, waits for the picker it opens, notes the
// picker's owner and answers it with `command` (IDOK or IDCANCEL).
void ClickAndAnswer(DWORD guiThread, WPARAM command, Seen& seen) {
    seen.dialog = WaitForWindow(guiThread, [](HWND w) { return TitleOf(w) == OwnerCaption; });
    if (!seen.dialog)
        return;
    HWND button = FindWindowExA(seen.dialog, nullptr, "BUTTON", "...");
    PostMessageA(seen.dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
    const HWND dialog = seen.dialog;
    HWND picker = WaitForWindow(guiThread, [dialog](HWND w) { return w != dialog; });
    if (!picker)
        return;
    seen.pickerOwner = GetWindow(picker, GW_OWNER);
    PostMessageA(picker, WM_COMMAND, command, 0);
}

// Shows the dialog; its click is answered from another thread with `command`.
Seen RunPicker(WPARAM command, ButtonDialog& dialog) {
    Seen seen;
    std::thread driver(ClickAndAnswer, GetCurrentThreadId(), command, std::ref(seen));
    ShowDialogModal(GetModuleHandleA(nullptr), nullptr, dialog);
    driver.join();
    return seen;
}

Seen RunPicker(WPARAM command, std::function<void(ButtonDialog&)> pick) {
    ButtonDialog dialog(std::move(pick));
    return RunPicker(command, dialog);
}

std::string WindowsDirectory() {
    char directory[MAX_PATH] = "";
    GetWindowsDirectoryA(directory, MAX_PATH);
    return directory;
}

bool SamePath(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()),
                          b.c_str(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

TEST(Win32PickersTest, FiltersBecomeZeroSeparatedPairs) {
    using namespace std::string_literals; // keeps the zeros inside the literals
    const std::pair<std::string, std::string> cases[] = {
        {"Executable files (*.exe)|*.exe;*.msc;", "Executable files (*.exe)\0*.exe;*.msc;\0\0"s},
        {"a|b|c|d", "a\0b\0c\0d\0\0"s},
        {"a|b|", "a\0b\0\0"s},
        {"", ""},
    };
    for (const auto& [filter, expected] : cases)
        EXPECT_EQ(FilterForOpenDialog(filter), expected) << filter;
}

TEST(Win32PickersTest, FileDialogIsOwnedByTheDialogAndStartsFromTheGivenPath) {
    Win32Pickers pickers;
    const std::string windows = WindowsDirectory();
    std::optional<std::string> chosen;
    HWND ownerWhileShown = nullptr;
    ButtonDialog dialog([&](ButtonDialog& self) {
        ownerWhileShown = WindowOfDialog(self);
        chosen = pickers.OpenFile(
            self, OpenFileRequest{"Executable files (*.exe)|*.exe;*.msc;", windows, "notepad.exe"});
    });
    EXPECT_EQ(WindowOfDialog(dialog), nullptr);
    const Seen seen = RunPicker(IDOK, dialog);
    EXPECT_EQ(WindowOfDialog(dialog), nullptr);
    ASSERT_NE(seen.dialog, nullptr);
    EXPECT_EQ(ownerWhileShown, seen.dialog);
    EXPECT_EQ(seen.pickerOwner, seen.dialog);
    ASSERT_TRUE(chosen);
    EXPECT_TRUE(SamePath(*chosen, windows + "\\notepad.exe")) << *chosen;
}

TEST(Win32PickersTest, FolderBrowserOpensOnTheStartFolderAndReturnsItsPath) {
    Win32Pickers pickers;
    const std::string windows = WindowsDirectory();
    std::optional<std::string> chosen;
    const Seen seen = RunPicker(
        IDOK, [&](ButtonDialog& dialog) { chosen = pickers.ShowFolderBrowser(dialog, windows); });
    ASSERT_NE(seen.dialog, nullptr);
    EXPECT_EQ(seen.pickerOwner, seen.dialog);
    ASSERT_TRUE(chosen);
    EXPECT_TRUE(SamePath(*chosen, windows)) << *chosen;
}

TEST(Win32PickersTest, CancelledPickersAnswerNothing) {
    Win32Pickers pickers;
    std::optional<std::string> file = "not asked";
    std::optional<std::string> folder = "not asked";
    RunPicker(IDCANCEL, [&](ButtonDialog& dialog) {
        file = pickers.OpenFile(dialog, OpenFileRequest{"", "", "x.txt"});
    });
    RunPicker(IDCANCEL, [&](ButtonDialog& dialog) {
        folder = pickers.ShowFolderBrowser(dialog, WindowsDirectory());
    });
    EXPECT_FALSE(file);
    EXPECT_FALSE(folder);
}

} // namespace
} // namespace vantrel::win32
