#pragma once
// The hidden main form's window: receives the tray icon's notifications and the system's
// messages, shows the popup menus, and carries out what the portable main form asks of
// the user interface.

#include "app/MainForm.h"
#include "platform/Shortcut.h"
#include "platform/UiApi.h"
#include "render/MenuTheme.h"
#include "win32/FindWindow.h"
#include "win32/Handles.h"
#include "win32/PopupMenuBinder.h"
#include "win32/WideText.h"
#include "win32/Win32Theme.h"
#include "win32/WinHeaders.h"

#include <shellapi.h>

#include <memory>
#include <optional>

namespace vantrel::win32 {

class MainWindow : public UiApi {
public:
    explicit MainWindow(HINSTANCE instance);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the hidden window; the form receives the window's events from then on.
    bool Create(MainForm& form);
    HWND Handle() const { return window_; }

    void HideMainForm() override;
    bool ShowTrayIcon() override;
    void HideTrayIcon() override;
    bool ShowBalloon(const std::string& title, const std::string& text,
                     unsigned timeoutMs) override;
    void BringToForeground() override;
    void ShowPopupMenu(MenuNode& menu, int x, int y, MenuStart start, MenuPlace place) override;
    int DpiAt(int x, int y) override;
    void CloseMainForm() override;
    bool StartTimer(unsigned timer, unsigned milliseconds) override;
    ModalResult ShowModal(DialogModel& dialog) override;
    void ShowNotice(const std::string& text, const std::string& title) override;
    void ShowMessage(const std::string& text, const std::string& title) override;
    MessageBoxResult AskYesNo(const std::string& text, const std::string& title,
                              DefaultAnswer defaultAnswer) override;
    void ShowFindWindow() override;
    void CloseFindWindow(FindClosing closing) override;
    bool FindWindowShown() override;

    static constexpr UINT TrayCallbackMessage = WM_APP + 1;
    static constexpr UINT TrayIconId = 1;
    static constexpr UINT_PTR TrayRetryTimer = 1;
    // Answers with one of the program's own handle counters (wParam 0: menus, 1: GDI objects,
    // 2: device contexts, 3: icons; -1 for any other), so that a test driving the real
    // program for hours can prove nothing leaks: Wine reports no GUI resource counts.
    static constexpr UINT HandleCountMessage = WM_APP + 3;
    // The main form's timers, by their number from here on.
    static constexpr UINT_PTR FormTimerBase = 100;

private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnTrayNotification(WPARAM wParam, LPARAM lParam);
    void OnHotKey(int id, unsigned modifiers);
    void OnFindHotKey(int id, unsigned modifiers);
    // TrackPopupMenuEx's alignment flags and point for a menu shown at (x, y) as asked.
    UINT AlignMenu(const MenuNode& menu, MenuPlace place, POINT& at) const;
    // The menu opened by the tray's notification has closed, choosing a command or not.
    void TrayMenuClosed(bool choseCommand);
    // Gives the keyboard focus back to the icon, after a menu opened from it closed unused.
    void ReturnFocusToIcon();
    static bool EscapedInPlace();
    void SetTrayVersion();
    // The icon at the scaling of the monitor the window is on, shown in place of the old one.
    void ReloadTrayIcon(int dpi);
    int TrayDpi() const;
    void OnMenuOpening(HMENU menu);
    void OnPicturesReady();
    void OnClose();
    void OnVersionResult(LPARAM lParam);
    void DeliverPendingVersionResult();
    template <typename Show> auto WhileDialogOpen(Show show);
    // A dialog or message box closed: a close that waited for it comes again.
    void AfterDialog();
    void OnDestroy();
    // A message box over the active dialog; its answer (IDOK, IDYES, ...).
    int ShowMessageBox(const std::string& text, const std::string& title, UINT style);
    NOTIFYICONDATAA TrayData(UINT flags) const;

    HINSTANCE instance_;
    HWND window_ = nullptr;
    MainForm* form_ = nullptr;
    OwnedIcon trayIcon_;
    TrayEventFilter trayEvents_;
    std::optional<TrayRequest> trayMenu_; // the tray's, from its notification until it closes
    bool lightFirstRow_ = false;          // the menu about to show, once its loop runs
    int menuDpi_ = 96;                    // of the monitor the open menu shows on
    std::optional<MenuClosing> lastMenuClosing_;
    bool shortcutEndsMenu_ = false; // a press of the shortcut is closing the open menu
    UINT taskbarCreatedMessage_ = 0;
    bool trayWanted_ = false; // the program wants its icon, whether or not the shell has it
    bool trayShown_ = false;  // the shell accepted the icon
    // What is open, a close waiting for it, a version result kept: the form's state once the
    // window has a form, until then one of its own.
    FormState ownState_;
    FormState* state_ = &ownState_;
    PopupMenuBinder binder_;
    Win32Theme theme_;
    Win32CodePage codePage_;
    MenuTheme menuTheme_{theme_};
    std::unique_ptr<FindWindow> find_; // made at the first Find
};

} // namespace vantrel::win32
