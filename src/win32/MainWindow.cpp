#include "win32/MainWindow.h"

#include "render/MenuPlacement.h"
#include "update/CheckVersion.h"
#include "win32/DialogHost.h"
#include "win32/Dpi.h"
#include "win32/OwnerDraw.h"
#include "win32/Resources.h"
#include "win32/WideText.h"

#include <cstring>
#include <iterator>
#include <optional>
#include <string>
#include <utility>

namespace vantrel::win32 {

namespace {
constexpr const char* WindowClassName = "TFormMain";

template <typename Char>
void CopyText(Char* destination, std::size_t capacity, const std::basic_string<Char>& text) {
    std::size_t length = text.size() < capacity - 1 ? text.size() : capacity - 1;
    // A text cut short is cut between characters, never inside a surrogate pair.
    if constexpr (sizeof(Char) == 2)
        if (length < text.size() && (text[length] & 0xFC00) == 0xDC00)
            --length;
    std::memcpy(destination, text.data(), length * sizeof(Char));
    destination[length] = Char{};
}

// Commands that neither change the tree nor open a dialog may run while a dialog is open.
bool IsSafeDuringDialog(Command command) {
    switch (command) {
    case Command::OpenLink:
    case Command::CopyLink:
    case Command::OpenWithIE:
    case Command::OpenWithFirefox:
    case Command::OpenWithChrome:
    case Command::OpenWithOpera:
    case Command::SystemLink:
    case Command::HomePage: return true;
    default: return false;
    }
}

LRESULT HandleCount(WPARAM which) {
    const HandleCounts counts = LiveHandleCounts();
    switch (which) {
    case 0: return counts.menus;
    case 1: return counts.gdiObjects;
    case 2: return counts.deviceContexts;
    case 3: return counts.icons;
    default: return -1;
    }
}

// The character WM_MENUCHAR hands an ANSI window: one byte, or a double-byte code page's two.
std::string KeyBytes(WORD character) {
    if (character <= 0xFF)
        return std::string(1, static_cast<char>(character));
    return {static_cast<char>(HIBYTE(character)), static_cast<char>(LOBYTE(character))};
}

std::optional<TrayEvent> TrayEventOf(UINT notification) {
    switch (notification) {
    case WM_LBUTTONDOWN: return TrayEvent::LeftButtonDown;
    case WM_RBUTTONDOWN: return TrayEvent::RightButtonDown;
    case WM_MBUTTONDOWN: return TrayEvent::MiddleButtonDown;
    case NIN_SELECT: return TrayEvent::MouseSelect;
    case NIN_KEYSELECT: return TrayEvent::KeySelect;
    case WM_CONTEXTMENU: return TrayEvent::ContextMenu;
    default: return std::nullopt; // moves, button-ups, double clicks, balloons
    }
}

// Every dialog box the program shows: ours, and the pickers and message boxes over them.
BOOL CALLBACK CloseShownDialog(HWND window, LPARAM skipped) {
    char name[8] = {};
    if (window != reinterpret_cast<HWND>(skipped) && IsWindowVisible(window) &&
        GetClassNameA(window, name, sizeof name) && std::strcmp(name, "#32770") == 0)
        PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

// The icon holds every small size the scalings need; the size for the DPI is taken as drawn.
HICON LoadTrayIcon(HINSTANCE instance, int dpi) {
    return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_VANTREL), IMAGE_ICON,
                                         SystemMetricAt(SM_CXSMICON, dpi),
                                         SystemMetricAt(SM_CYSMICON, dpi), LR_DEFAULTCOLOR));
}
} // namespace

MainWindow::MainWindow(HINSTANCE instance) : instance_(instance) {}

MainWindow::~MainWindow() {
    find_.reset();
    form_ = nullptr; // the form may already be gone; it must not hear of this destruction
    state_ = &ownState_;
    if (window_)
        DestroyWindow(window_);
}

bool MainWindow::Create(MainForm& form) {
    form_ = &form;
    state_ = &form.State();
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &MainWindow::WindowProcedure;
    windowClass.hInstance = instance_;
    windowClass.hIcon = LoadIconA(instance_, MAKEINTRESOURCEA(IDI_VANTREL));
    windowClass.lpszClassName = WindowClassName;
    RegisterClassExA(&windowClass);
    taskbarCreatedMessage_ = RegisterWindowMessageA("TaskbarCreated");
    // A hidden top-level window: it gets the session-end messages, unlike a message-only one.
    window_ = CreateWindowExA(0, WindowClassName, ProgramTitle, WS_OVERLAPPEDWINDOW, 0, 0, 0, 0,
                              nullptr, nullptr, instance_, this);
    if (window_)
        trayIcon_ = OwnedIcon(LoadTrayIcon(instance_, TrayDpi()));
    return window_ != nullptr;
}

LRESULT CALLBACK MainWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(window, message, wParam, lParam);
    // No exception may unwind into user32: with this toolchain it cannot cross those frames.
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == taskbarCreatedMessage_ && taskbarCreatedMessage_ != 0) {
        // Explorer restarted: the new notification area knows nothing of our icon, and may
        // show on a monitor of another scaling.
        if (trayWanted_) {
            trayShown_ = false;
            ReloadTrayIcon(TrayDpi());
            if (!ShowTrayIcon())
                SetTimer(window_, TrayRetryTimer, TrayRetryMs, nullptr);
        }
        return 0;
    }
    switch (message) {
    case TrayCallbackMessage: OnTrayNotification(wParam, lParam); return 0;
    case WM_HOTKEY: OnHotKey(static_cast<int>(wParam), LOWORD(lParam)); return 0;
    case VersionResultMessage: OnVersionResult(lParam); return 0;
    case VersionNoticeMessage:
        if (form_)
            form_->RunVersionCheckNotices();
        return 0;
    case SaveEndedMessage:
        if (form_)
            form_->SaveEnded(wParam);
        return 0;
    case WM_TIMER:
        if (wParam == TrayRetryTimer) {
            if (!trayWanted_ || ShowTrayIcon())
                KillTimer(window_, TrayRetryTimer);
            return 0;
        }
        if (wParam >= FormTimerBase) {
            KillTimer(window_, wParam); // the form's timers fire once
            if (form_)
                form_->TimerElapsed(static_cast<unsigned>(wParam - FormTimerBase));
            return 0;
        }
        break;
    case HandleCountMessage: return HandleCount(wParam);
    case WM_INITMENUPOPUP: OnMenuOpening(reinterpret_cast<HMENU>(wParam)); return 0;
    // The menu's own loop takes the key from the queue: its first row is lit, as when a menu
    // is opened from the keyboard anywhere in Windows. Posted only once our loop runs: another
    // menu of the thread (a dialog's system menu) must not get it.
    case WM_ENTERMENULOOP:
        if (std::exchange(lightFirstRow_, false))
            PostMessageA(window_, WM_KEYDOWN, VK_DOWN, 0);
        return 0;
    case PicturesReadyMessage: OnPicturesReady(); return 0;
    case WM_MEASUREITEM:
        if (wParam == 0) {
            PopupMenuMeasureItem(window_, *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam), menuDpi_);
            return TRUE;
        }
        break;
    case WM_DRAWITEM:
        if (wParam == 0) {
            PopupMenuAdvancedDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam),
                                      menuTheme_.Colours(), menuTheme_.Look(), menuDpi_);
            return TRUE;
        }
        break;
    case WM_MENUCHAR:
        return binder_.AnswerLetter(reinterpret_cast<HMENU>(lParam), KeyBytes(LOWORD(wParam)),
                                    codePage_);
    // The scaling of the monitor with the taskbar changed: the icon is shown at its new size.
    // A hidden window may never hear of it but through a change of the display.
    case WM_DPICHANGED: ReloadTrayIcon(HIWORD(wParam)); return 0;
    case WM_DISPLAYCHANGE: ReloadTrayIcon(TrayDpi()); break;
    // Dark mode announces itself as the setting "ImmersiveColorSet", high contrast as its own
    // setting and with WM_SYSCOLORCHANGE. Deriving the colours again costs one registry read,
    // so every setting change counts: a missed one would leave the menus in the old look.
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE: menuTheme_.SettingsChanged(); break;
    case WM_QUERYENDSESSION: return form_ ? form_->HandleQueryEndSession() : TRUE;
    case WM_ENDSESSION:
        if (form_)
            form_->HandleEndSession(wParam != FALSE);
        return 0;
    case WM_CLOSE: OnClose(); return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    default: break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

// With version 4 the notification is in the low word of lParam and the point the menu belongs
// to in wParam: the pointer for the mouse, the icon for the keyboard.
void MainWindow::OnTrayNotification(WPARAM wParam, LPARAM lParam) {
    // A click on the icon while a menu is open only closes that menu: the open menu's items
    // (Disk Drives among them) must not be rebuilt under it.
    if (!form_ || state_->MenuOpen())
        return;
    const std::optional<TrayEvent> event = TrayEventOf(LOWORD(lParam));
    const std::optional<TrayRequest> request =
        event ? trayEvents_.Request(*event, GetTickCount()) : std::nullopt;
    if (!request)
        return;
    POINT at{static_cast<short>(LOWORD(wParam)), static_cast<short>(HIWORD(wParam))};
    if (!request->keyboard)
        GetCursorPos(&at);
    trayMenu_ = request;
    form_->ShowTrayMenu(request->menu, at.x, at.y,
                        request->keyboard ? MenuStart::FirstRowLit : MenuStart::NothingLit);
    trayMenu_.reset(); // when no menu opened
}

// Told as soon as the menu closes, before its command runs: a menu opened over the command's
// dialog has its own request, and the echo of this one is timed from here.
void MainWindow::TrayMenuClosed(bool choseCommand) {
    const std::optional<TrayRequest> request = std::exchange(trayMenu_, std::nullopt);
    if (!request)
        return;
    trayEvents_.MenuClosed(*request, GetTickCount());
    if (request->keyboard && !choseCommand && EscapedInPlace())
        ReturnFocusToIcon();
}

namespace {
// The modifier keys held down at this moment, whichever program has the keyboard.
unsigned ModifiersHeldNow() {
    const auto down = [](int key) { return GetAsyncKeyState(key) < 0; };
    return (down(VK_MENU) ? ModAlt : 0u) | (down(VK_CONTROL) ? ModCtrl : 0u) |
           (down(VK_SHIFT) ? ModShift : 0u) | (down(VK_LWIN) || down(VK_RWIN) ? ModWin : 0u);
}
} // namespace

// A WM_HOTKEY handler may take the foreground from whichever program has it, so the menu gets
// the keyboard. Pressed while a menu is open, the shortcut closes it; its Alt may have closed
// the menu already.
void MainWindow::OnHotKey(int id, unsigned modifiers) {
    if (!form_)
        return;
    if (IsFindShortcut(id))
        return OnFindHotKey(id, modifiers);
    const ShortcutPress press = WhatShortcutPressDoes(state_->MenuOpen(), lastMenuClosing_,
                                                      modifiers & AllModifiers, GetTickCount());
    lastMenuClosing_.reset();
    if (press == ShortcutPress::ClosesMenu) {
        shortcutEndsMenu_ = true;
        EndMenu();
    }
    if (press != ShortcutPress::OpensMenu)
        return;
    POINT at{};
    GetCursorPos(&at);
    form_->ShortcutPressed(id, at.x, at.y);
}

// Find's shortcut over an open menu closes the menu and comes again, to open Find once the
// menu's loop has ended.
void MainWindow::OnFindHotKey(int id, unsigned modifiers) {
    lastMenuClosing_.reset();
    if (state_->MenuOpen()) {
        shortcutEndsMenu_ = true;
        EndMenu();
        PostMessageA(window_, WM_HOTKEY, static_cast<WPARAM>(id), MAKELPARAM(modifiers, 0));
        return;
    }
    form_->ShortcutPressed(id, 0, 0);
}

// The menu closed with Esc, the program still in front. Alt+Tab, Start or a click into
// another program end a menu too, and the focus stays where the user took it; a clicked
// program may come to the front only after the menu has closed, so the key has to tell.
// The key state is the one of the messages read so far: Esc is down until its release is.
bool MainWindow::EscapedInPlace() {
    HWND front = GetForegroundWindow();
    return GetKeyState(VK_ESCAPE) < 0 && front &&
           GetWindowThreadProcessId(front, nullptr) == GetCurrentThreadId();
}

void MainWindow::ReturnFocusToIcon() {
    if (!trayShown_)
        return;
    NOTIFYICONDATAA data = TrayData(0);
    Shell_NotifyIconA(NIM_SETFOCUS, &data);
}

// Version 4 brings the keyboard's notifications; the mouse's stay as they were.
void MainWindow::SetTrayVersion() {
    NOTIFYICONDATAA data = TrayData(0);
    data.uVersion = NOTIFYICON_VERSION_4;
    Shell_NotifyIconA(NIM_SETVERSION, &data);
}

void MainWindow::OnMenuOpening(HMENU menu) {
    binder_.FillOnOpen(menu);
    if (const MenuNode* node = binder_.NodeOfMenu(menu); node && form_)
        for (const MenuNode* row : form_->MenuOpening(*node))
            binder_.RepaintRow(*row);
}

// Pictures that arrive while their menu is open are painted in place, row by row.
void MainWindow::OnPicturesReady() {
    if (!form_)
        return;
    for (const MenuNode* row : form_->CollectPictures())
        binder_.RepaintRow(*row);
    if (find_)
        find_->PicturesArrived();
}

void MainWindow::OnVersionResult(LPARAM lParam) {
    // One that arrives while a menu or dialog is open is shown after it.
    if (form_ && state_->VersionResultArrived(lParam))
        form_->HandleVersionResult(lParam);
}

void MainWindow::DeliverPendingVersionResult() {
    if (const std::optional<std::intptr_t> result = state_->TakeVersionResult())
        PostMessageA(window_, VersionResultMessage, 0, *result);
}

void MainWindow::OnClose() {
    const FormState::CloseSteps steps = state_->CloseAsked();
    // The menu's nodes must outlive its modal loop: it closes first, then the window.
    if (steps.endMenu)
        EndMenu();
    // The command that opened the dialog still holds on to the tree: the dialog is cancelled,
    // the command finishes, and the close comes again once it has. A dialog without a window
    // (not made yet, or gone already) is waited for all the same: a close posted to this
    // window would come back at once, for ever. The dialogs under the front one close too: a
    // picker opened by a dialog's button is no dialog the close is told of when it goes, and
    // the dialog under it would keep the close waiting for the user.
    if (steps.cancelDialog) {
        HWND front = GetLastActivePopup(window_);
        if (front != window_)
            PostMessageA(front, WM_CLOSE, 0, 0);
        EnumThreadWindows(GetCurrentThreadId(), &CloseShownDialog, reinterpret_cast<LPARAM>(front));
    }
    if (steps.destroyWindow)
        DestroyWindow(window_);
}

int MainWindow::TrayDpi() const {
    RECT rect{};
    return window_ && GetWindowRect(window_, &rect) ? DpiAtPoint(POINT{rect.left, rect.top})
                                                    : SystemDpi();
}

void MainWindow::ReloadTrayIcon(int dpi) {
    OwnedIcon icon(LoadTrayIcon(instance_, dpi));
    if (!icon)
        return;
    trayIcon_ = std::move(icon);
    if (!trayShown_)
        return;
    NOTIFYICONDATAA data = TrayData(NIF_ICON | NIF_SHOWTIP);
    Shell_NotifyIconA(NIM_MODIFY, &data);
}

void MainWindow::OnDestroy() {
    find_.reset(); // it shows the tree, which the form is about to release
    if (form_)
        form_->FormDestroy();
    HideTrayIcon(); // already done by the form unless it failed half-way
    window_ = nullptr;
    PostQuitMessage(0);
}

NOTIFYICONDATAA MainWindow::TrayData(UINT flags) const {
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = window_;
    data.uID = TrayIconId;
    data.uFlags = flags;
    data.uCallbackMessage = TrayCallbackMessage;
    data.hIcon = trayIcon_.Get();
    CopyText(data.szTip, sizeof data.szTip, std::string(ProgramTitle));
    return data;
}

void MainWindow::HideMainForm() {
    if (window_)
        ShowWindow(window_, SW_HIDE);
}

bool MainWindow::ShowTrayIcon() {
    trayWanted_ = true;
    if (trayShown_)
        return true;
    // Version 4 hides the standard tooltip of an icon that does not ask for it, on every add
    // and change.
    NOTIFYICONDATAA data = TrayData(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP);
    // After a "TaskbarCreated" that did not really lose the icon, adding fails because it
    // is still there; updating it then tells that it is shown.
    trayShown_ = Shell_NotifyIconA(NIM_ADD, &data) != FALSE ||
                 Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
    if (trayShown_)
        SetTrayVersion();
    return trayShown_;
}

void MainWindow::HideTrayIcon() {
    trayWanted_ = false;
    if (!window_)
        return;
    // Deleted even when we believe it is not shown: an icon must never outlive the program.
    NOTIFYICONDATAA data = TrayData(0);
    Shell_NotifyIconA(NIM_DELETE, &data);
    trayShown_ = false;
}

bool MainWindow::ShowBalloon(const std::string& title, const std::string& text,
                             unsigned timeoutMs) {
    if (!trayShown_)
        return false;
    // Wide: a balloon may tell a path and the system's words, in any language.
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window_;
    data.uID = TrayIconId;
    data.uFlags = NIF_INFO | NIF_SHOWTIP;
    CopyText(data.szInfoTitle, std::size(data.szInfoTitle), WidenUtf8(title));
    CopyText(data.szInfo, std::size(data.szInfo), WidenUtf8(text));
    data.dwInfoFlags = NIIF_INFO;
    data.uTimeout = timeoutMs;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

void MainWindow::BringToForeground() {
    // A modal dialog of ours, when one is open, is the window the user is working in.
    HWND target = GetLastActivePopup(window_);
    SetForegroundWindow(target ? target : window_);
}

int MainWindow::DpiAt(int x, int y) {
    return DpiAtPoint(POINT{x, y});
}

UINT MainWindow::AlignMenu(const MenuNode& menu, MenuPlace place, POINT& at) const {
    if (place == MenuPlace::AtPoint)
        return TPM_LEFTALIGN | TPM_TOPALIGN;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &monitor))
        return TPM_LEFTALIGN | TPM_TOPALIGN;
    const RECT& work = monitor.rcWork;
    const SIZE size = PopupMenuSize(window_, menu, menuDpi_);
    const MenuAnchor anchor = PlaceMenu(at.x, at.y, size.cx, size.cy,
                                        {work.left, work.top, work.right, work.bottom});
    at = {anchor.x, anchor.y};
    return (anchor.rightEdgeAtX ? TPM_RIGHTALIGN : TPM_LEFTALIGN) |
           (anchor.bottomEdgeAtY ? TPM_BOTTOMALIGN : TPM_TOPALIGN);
}

void MainWindow::ShowPopupMenu(MenuNode& menu, int x, int y, MenuStart start, MenuPlace place) {
    if (state_->MenuOpen())
        return;
    menuTheme_.MenuOpening();
    // The menu opens at the pointer, on that monitor and at its scaling.
    menuDpi_ = DpiAtPoint(POINT{x, y});
    // Left to itself Windows would frame the dark items in its light menu colour.
    const std::optional<COLORREF> edge =
        menuTheme_.Look() == MenuLook::Dark
            ? std::optional<COLORREF>(ToColorRef(menuTheme_.Colours().menuBackgroundColor))
            : std::nullopt;
    HMENU handle = binder_.Open(menu, edge);
    if (!handle)
        return;
    state_->MenuOpened();
    lightFirstRow_ = start == MenuStart::FirstRowLit;
    POINT at{x, y};
    const UINT align = AlignMenu(menu, place, at);
    const UINT chosen = static_cast<UINT>(TrackPopupMenuEx(
        handle, align | TPM_RIGHTBUTTON | TPM_RETURNCMD, at.x, at.y, window_, nullptr));
    lightFirstRow_ = false; // when the menu's loop never started
    // The documented tray-menu idiom: lets the menu close properly when focus moves away.
    PostMessageA(window_, WM_NULL, 0, 0);
    lastMenuClosing_ = MenuClosing{GetTickCount(), shortcutEndsMenu_ ? 0u : ModifiersHeldNow()};
    shortcutEndsMenu_ = false;
    MenuNode* node = binder_.NodeOfCommand(chosen);
    binder_.Close();
    const FormState::AfterMenu after = state_->MenuClosed();
    if (after == FormState::AfterMenu::DestroyWindow) {
        DestroyWindow(window_);
        return;
    }
    TrayMenuClosed(node != nullptr);
    DeliverPendingVersionResult();
    if (after == FormState::AfterMenu::AwaitDialog || !node)
        return;
    if (state_->DialogOpen() && !IsSafeDuringDialog(node->command)) {
        // One dialog at a time: the open one keeps its data and comes to the front.
        BringToForeground();
        return;
    }
    form_->MenuItemClick(*node);
}

bool MainWindow::StartTimer(unsigned timer, unsigned milliseconds) {
    return window_ && SetTimer(window_, FormTimerBase + timer, milliseconds, nullptr) != 0;
}

void MainWindow::CloseMainForm() {
    if (window_)
        PostMessageA(window_, WM_CLOSE, 0, 0);
}

// Counted as open for as long as it shows; a dialog that fails to open counts as closed.
template <typename Show> auto MainWindow::WhileDialogOpen(Show show) {
    state_->DialogOpened();
    try {
        auto result = show();
        AfterDialog();
        return result;
    } catch (...) {
        AfterDialog();
        throw;
    }
}

// One dialog at a time, but for one that a button of the open dialog opens over it: that one
// is owned by it, which keeps it disabled until the new one closes.
ModalResult MainWindow::ShowModal(DialogModel& dialog) {
    HWND owner = state_->DialogOpen() ? ActingDialog() : window_;
    if (!owner)
        return ModalResult::Cancel;
    return WhileDialogOpen([&] { return ShowDialogModal(instance_, owner, dialog); });
}

int MainWindow::ShowMessageBox(const std::string& text, const std::string& title, UINT style) {
    const std::wstring wideText = WidenUtf8(text);
    const std::wstring wideTitle = WidenUtf8(title);
    return WhileDialogOpen([&] {
        return MessageBoxW(GetLastActivePopup(window_), wideText.c_str(), wideTitle.c_str(), style);
    });
}

void MainWindow::AfterDialog() {
    if (state_->DialogClosed())
        PostMessageA(window_, WM_CLOSE, 0, 0);
    else
        DeliverPendingVersionResult();
}

void MainWindow::ShowNotice(const std::string& text, const std::string& title) {
    ShowMessageBox(text, title, MB_OK | MB_ICONWARNING);
}

void MainWindow::ShowMessage(const std::string& text, const std::string& title) {
    ShowMessageBox(text, title, MB_OK | MB_ICONINFORMATION);
}

MessageBoxResult MainWindow::AskYesNo(const std::string& text, const std::string& title,
                                      DefaultAnswer defaultAnswer) {
    const UINT defaultButton = defaultAnswer == DefaultAnswer::No ? MB_DEFBUTTON2 : MB_DEFBUTTON1;
    const int answer = ShowMessageBox(text, title, MB_YESNO | MB_ICONQUESTION | defaultButton);
    switch (answer) {
    case IDYES: return MessageBoxResult::Yes;
    case IDNO: return MessageBoxResult::No;
    default: return MessageBoxResult::Other;
    }
}

void MainWindow::ShowFindWindow() {
    if (!form_)
        return;
    if (!find_)
        find_ = std::make_unique<FindWindow>(instance_, *form_, menuTheme_);
    find_->Show();
}

void MainWindow::CloseFindWindow(FindClosing closing) {
    if (find_)
        find_->Close(closing, window_);
}

bool MainWindow::FindWindowShown() {
    return find_ && find_->Shown();
}

} // namespace vantrel::win32
