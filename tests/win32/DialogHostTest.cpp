// The host of the program's dialogs, clicked as a user clicks: the real control and the
// model must agree on every state.
#include "win32/DialogHost.h"
#include "ThreadWindows.h"
#include "editors/ControlTable.h"

#include <gtest/gtest.h>

#include <thread>

namespace vantrel::win32 {
namespace {

using testing::TitleOf;
using testing::WaitForWindow;

const char* const HostCaption = "Check box host";

class CheckBoxDialog : public DialogModel {
  public:
    CheckBoxDialog()
        : DialogModel(HostCaption, 200, 80,
                      {CheckBoxAt("CheckBox1", "Run as administrator", {10, 10, 150, 17}),
                       ButtonAt("Button1", "Close", {10, 40, 60, 25})}) {}

  protected:
    void OnClick(const std::string& name) override {
        if (name == "Button1")
            Close(ModalResult::Ok);
    }
};

struct Observed {
    bool dialogFound = false;
    std::vector<LRESULT> statesAfterClicks; // BM_GETCHECK of the real control
};

// From another thread: clicks the check box `clicks` times as the mouse does (BM_CLICK),
// noting the control's state after each, then closes the dialog with its button.
void ClickCheckBox(DWORD guiThread, int clicks, Observed& observed) {
    HWND dialog = WaitForWindow(guiThread, [](HWND w) { return TitleOf(w) == HostCaption; });
    if (!dialog)
        return;
    observed.dialogFound = true;
    HWND checkBox = FindWindowExA(dialog, nullptr, "BUTTON", "Run as administrator");
    for (int i = 0; i < clicks; ++i) {
        SendMessageA(checkBox, BM_CLICK, 0, 0);
        observed.statesAfterClicks.push_back(SendMessageA(checkBox, BM_GETCHECK, 0, 0));
    }
    SendMessageA(FindWindowExA(dialog, nullptr, "BUTTON", "Close"), BM_CLICK, 0, 0);
}

TEST(DialogHostTest, ACheckBoxClickFlipsTheStateOnce) {
    for (int clicks : {1, 2, 3}) {
        CheckBoxDialog dialog;
        Observed observed;
        std::thread driver(ClickCheckBox, GetCurrentThreadId(), clicks, std::ref(observed));
        const ModalResult result = ShowDialogModal(GetModuleHandleA(nullptr), nullptr, dialog);
        driver.join();
        ASSERT_TRUE(observed.dialogFound);
        EXPECT_EQ(result, ModalResult::Ok);
        const bool checked = clicks % 2 == 1;
        EXPECT_EQ(dialog.Checked("CheckBox1"), checked) << clicks << " clicks";
        ASSERT_EQ(observed.statesAfterClicks.size(), static_cast<std::size_t>(clicks));
        EXPECT_EQ(observed.statesAfterClicks.back(), checked ? BST_CHECKED : BST_UNCHECKED)
            << clicks << " clicks";
    }
}

} // namespace
} // namespace vantrel::win32
