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

const char* const KeysCaption = "Keys host";

// Two modes, each with a labelled field, and OK and Cancel, listed as they show.
class KeysDialog : public DialogModel {
  public:
    KeysDialog()
        : DialogModel(KeysCaption, 300, 140,
                      {RadioAt("RadioButton1", "One", {8, 8, 100, 17}, Initially::Checked),
                       LabelAt("Label1", "First:", 24, 34), EditAt("Edit1", {90, 31, 150, 21}, 10),
                       RadioAt("RadioButton2", "Two", {8, 60, 100, 17}),
                       LabelAt("Label2", "Second:", 24, 86), EditAt("Edit2", {90, 83, 150, 21}, 10),
                       OkButtonAt(60, 110), CancelButtonAt(145, 110)}) {}

  protected:
    void OnClick(const std::string& name) override {
        if (name == "BitBtn1")
            Close(ModalResult::Ok);
        if (name == "BitBtn2")
            Close(ModalResult::Cancel);
    }
};

// From another thread: notes the texts Tab walks through ("[]" an edit box), the window made
// before the first edit box, which of the radio buttons and labels start a group, what Down
// on the first radio button checks, and whether the dialog's size asked for 192 DPI grew by
// its client area at least; then presses `key` with the focus on `focus` (null: the first
// edit box).
void PressKey(DWORD guiThread, const char* focus, WPARAM key, std::string& seen) {
    HWND dialog = WaitForWindow(guiThread, [](HWND w) { return TitleOf(w) == KeysCaption; });
    if (!dialog)
        return;
    HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE), w = first;
    do {
        seen += (TitleOf(w).empty() ? "[]" : TitleOf(w)) + " ";
    } while ((w = GetNextDlgTabItem(dialog, w, FALSE)) != first && w);
    const auto find = [&](const char* text) {
        return FindWindowExA(dialog, nullptr, nullptr, text);
    };
    HWND edit1 = FindWindowExA(dialog, nullptr, "EDIT", nullptr);
    seen += "| " + TitleOf(GetWindow(edit1, GW_HWNDPREV)) + " | groups:";
    for (const char* text : {"One", "First:", "Two", "Second:", "Ok"})
        seen += (GetWindowLongA(find(text), GWL_STYLE) & WS_GROUP) ? std::string(" ") + text : "";
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(find("One")), TRUE);
    PostMessageA(find("One"), WM_KEYDOWN, VK_DOWN, 0);
    for (int i = 0; i < 50 && SendMessageA(find("Two"), BM_GETCHECK, 0, 0) != BST_CHECKED; ++i)
        Sleep(20);
    seen += SendMessageA(find("Two"), BM_GETCHECK, 0, 0) == BST_CHECKED ? " | Down: Two" : "";
    SIZE at96{}, at192{};
    SendMessageA(dialog, 0x02E4, 96, reinterpret_cast<LPARAM>(&at96)); // WM_GETDPISCALEDSIZE
    SendMessageA(dialog, 0x02E4, 192, reinterpret_cast<LPARAM>(&at192));
    seen += at192.cx - at96.cx >= 300 ? " | grows" : "";
    HWND target = focus ? find(focus) : edit1;
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(target), TRUE);
    PostMessageA(target, WM_KEYDOWN, key, 0);
}

// Tab walks the fields and buttons as they show, entering the radio buttons at the checked
// one, each field made right after its label; the arrows move among the radio buttons and
// check the one they reach. Enter is OK, on the Cancel button Cancel, and Esc is Cancel.
// Asked its size at another scaling, the dialog answers with its own layout's.
TEST(DialogHostTest, TheKeyboardWalksTheDialogAsItShows) {
    const std::tuple<const char*, WPARAM, ModalResult> presses[] = {
        {nullptr, VK_RETURN, ModalResult::Ok},
        {"Cancel", VK_RETURN, ModalResult::Cancel},
        {nullptr, VK_ESCAPE, ModalResult::Cancel}};
    for (const auto& [focus, key, expected] : presses) {
        KeysDialog dialog;
        std::string seen;
        std::thread driver(PressKey, GetCurrentThreadId(), focus, key, std::ref(seen));
        EXPECT_EQ(ShowDialogModal(GetModuleHandleA(nullptr), nullptr, dialog), expected) << key;
        driver.join();
        EXPECT_EQ(seen, "One [] [] Ok Cancel | First: | groups: One First: Second: Ok | Down: "
                        "Two | grows");
    }
}

} // namespace
} // namespace vantrel::win32
