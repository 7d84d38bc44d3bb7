#include "win32/FindWindow.h"

#include "find/FindList.h"
#include "platform/Dpi.h"
#include "win32/Dpi.h"
#include "win32/OwnerDraw.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vantrel::win32 {

namespace {
constexpr const char* WindowClassName = "VantrelFind";
constexpr const char* WindowName = "Find entries - Vantrel"; // what a screen reader names it
constexpr int DesignWidth = 560;
constexpr int DesignPadding = 6;
constexpr UINT TextLimit = 260; // what the search reads of the text
constexpr UINT_PTR EditId = 1;
constexpr UINT_PTR ListId = 2;

FindWindow* WindowOf(HWND window) {
    return reinterpret_cast<FindWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

std::optional<FindKey> FindKeyOf(WPARAM key) {
    // Home and End with Shift still select in the text.
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    switch (key) {
    case VK_UP:
        return FindKey::Up;
    case VK_DOWN:
        return FindKey::Down;
    case VK_PRIOR:
        return FindKey::PageUp;
    case VK_NEXT:
        return FindKey::PageDown;
    case VK_HOME:
        return shift ? std::nullopt : std::optional(FindKey::Home);
    case VK_END:
        return shift ? std::nullopt : std::optional(FindKey::End);
    default:
        return std::nullopt;
    }
}

bool HasTextSelection(HWND edit) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start != end;
}

std::string TextOf(HWND edit) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextA(edit, text.data(), static_cast<int>(text.size()))));
    return text;
}

// Whether a control's message was handled by us; a failure leaves it to the control.
template <typename Handle> bool Handled(Handle handle) {
    try {
        return handle();
    } catch (...) {
        return false;
    }
}
} // namespace

FindWindow::FindWindow(HINSTANCE instance, MainForm& form, MenuTheme& theme)
    : instance_(instance), form_(form), theme_(theme) {}

FindWindow::~FindWindow() {
    if (window_)
        DestroyWindow(window_);
}

bool FindWindow::Shown() const {
    return window_ && IsWindowVisible(window_);
}

bool FindWindow::Create() {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &FindWindow::WindowProcedure;
    windowClass.hInstance = instance_;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = WindowClassName;
    RegisterClassExA(&windowClass);
    // A tool window of its own: in front, on no taskbar and in no Alt+Tab, owned by nobody so
    // that the main window's dialogs never take it for their own.
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, WindowClassName, WindowName,
                              WS_POPUP | WS_BORDER | WS_CLIPCHILDREN, 0, 0, 0, 0, nullptr, nullptr,
                              instance_, this);
    if (!window_)
        return false;
    edit_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 0, 0,
                            window_, reinterpret_cast<HMENU>(EditId), instance_, nullptr);
    list_ = CreateWindowExA(
        0, "LISTBOX", "",
        WS_CHILD | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT, 0, 0, 0,
        0, window_, reinterpret_cast<HMENU>(ListId), instance_, nullptr);
    if (!edit_ || !list_) {
        DestroyWindow(window_); // made again, whole, at the next showing
        return false;
    }
    SendMessageA(edit_, EM_LIMITTEXT, TextLimit, 0);
    SetWindowLongPtrA(edit_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(list_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    editProcedure_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FindWindow::EditProcedure)));
    listProcedure_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        list_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FindWindow::ListProcedure)));
    return true;
}

void FindWindow::Show() {
    if (!window_ && !Create())
        return;
    POINT pointer{};
    GetCursorPos(&pointer);
    Prepare(pointer);
    form_.PicturesForMenusAt(pointer.x, pointer.y);
    previous_ = GetForegroundWindow();
    SetWindowTextA(edit_, form_.Finder().Text().c_str());
    Fill();
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    SetFocus(edit_);
}

void FindWindow::Prepare(POINT at) {
    theme_.MenuOpening();
    dpi_ = DpiAtPoint(at);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &monitor);
    work_ = monitor.rcWork;
    OwnedGdiObject font = MenuFont(dpi_);
    SendMessageA(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
    font_ = std::move(font); // the old one only once the edit box no longer uses it
    rowHeight_ = MenuRowHeight(window_, dpi_);
    SendMessageA(list_, LB_SETITEMHEIGHT, 0, rowHeight_);
    background_ =
        OwnedGdiObject(CreateSolidBrush(ToColorRef(theme_.Colours().menuBackgroundColor)));
}

void FindWindow::Close(FindClosing closing, HWND owner) {
    if (!Shown())
        return;
    // Hidden while in front, Windows would bring whichever window it likes to the front. The
    // hidden main window is given the front only for what the program opens next.
    const bool another = previous_ && IsWindow(previous_) &&
                         GetWindowThreadProcessId(previous_, nullptr) != GetCurrentThreadId();
    HWND front = closing == FindClosing::KeepFront ? owner : another ? previous_ : nullptr;
    if (front && GetForegroundWindow() == window_)
        SetForegroundWindow(front);
    Hide();
}

void FindWindow::Hide() {
    pressedRow_ = -1;
    ShowWindow(window_, SW_HIDE);
}

void FindWindow::TextChanged() {
    form_.Finder().SetText(TextOf(edit_));
    Fill();
}

// Each row holds its name, which screen readers read; "No entries match" is a row too.
void FindWindow::Fill() {
    FindList& finder = form_.Finder();
    SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list_, LB_RESETCONTENT, 0, 0);
    for (const FoundEntry& row : finder.Rows())
        SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(RowName(*row.node).c_str()));
    const std::string notice(finder.Notice());
    if (!notice.empty())
        SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(notice.c_str()));
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    Place(static_cast<int>(SendMessageA(list_, LB_GETCOUNT, 0, 0)));
    ShowSelection();
    InvalidateRect(list_, nullptr, TRUE);
}

// As wide as a few captions with their paths, as high as its rows: a third of the way down
// the work area, in the middle.
void FindWindow::Place(int rows) {
    const int padding = ScaledLength(DesignPadding, dpi_);
    const int workWidth = static_cast<int>(work_.right - work_.left);
    const int width = std::min(ScaledLength(DesignWidth, dpi_), workWidth);
    const int editHeight = rowHeight_ + 2 * padding;
    const int listHeight = std::min(rows, VisibleRows) * rowHeight_;
    RECT frame{0, 0, width, editHeight + listHeight};
    AdjustWindowRectEx(&frame, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    const int outerWidth = static_cast<int>(frame.right - frame.left);
    const int top = static_cast<int>(work_.top + (work_.bottom - work_.top) / 3 - editHeight);
    SetWindowPos(window_, HWND_TOPMOST, static_cast<int>(work_.left) + (workWidth - outerWidth) / 2,
                 std::max(static_cast<int>(work_.top), top), outerWidth,
                 static_cast<int>(frame.bottom - frame.top), SWP_NOACTIVATE);
    MoveWindow(edit_, 2 * padding, padding, width - 4 * padding, rowHeight_, TRUE);
    MoveWindow(list_, 0, editHeight, width, listHeight, TRUE);
    ShowWindow(list_, rows > 0 ? SW_SHOWNA : SW_HIDE);
}

void FindWindow::ShowSelection() {
    SendMessageA(list_, LB_SETCURSEL, static_cast<WPARAM>(form_.Finder().Selection()), 0);
    HurryPictures();
}

// The rows in view have their own pictures read first; until then they show their kind's.
void FindWindow::HurryPictures() {
    const auto& rows = form_.Finder().Rows();
    const auto top = static_cast<std::size_t>(SendMessageA(list_, LB_GETTOPINDEX, 0, 0));
    std::vector<const MenuNode*> shown;
    for (std::size_t row = top; row < rows.size() && row < top + VisibleRows; ++row)
        shown.push_back(rows[row].node);
    if (!shown.empty())
        form_.FindRowsShowing(shown);
}

void FindWindow::PicturesArrived() {
    if (Shown())
        InvalidateRect(list_, nullptr, FALSE);
}

LRESULT CALLBACK FindWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<FindWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    FindWindow* self = WindowOf(window);
    if (!self || !self->window_)
        return DefWindowProcA(window, message, wParam, lParam);
    // No exception may unwind into user32: with this toolchain it cannot cross those frames.
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT FindWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == EditId && HIWORD(wParam) == EN_CHANGE)
            TextChanged();
        return 0;
    case WM_DRAWITEM:
        Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(rowHeight_);
        return TRUE;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        return Colour(reinterpret_cast<HDC>(wParam));
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(window_, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, static_cast<HBRUSH>(background_.Get()));
        return TRUE;
    }
    // A click elsewhere, Alt+Tab or the Start menu: the window goes, as a menu would.
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            Hide();
        return 0;
    case WM_CLOSE:
        Hide();
        return 0;
    // Placed at the pointer's monitor's own scaling already, on whichever monitor it shows.
    case WM_DPICHANGED:
        return 0;
    case WM_NCDESTROY: {
        HWND window = std::exchange(window_, nullptr);
        edit_ = list_ = nullptr;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    default:
        break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

LRESULT FindWindow::Colour(HDC dc) {
    const MenuColours& colours = theme_.Colours();
    SetTextColor(dc, ToColorRef(colours.captionColor));
    SetBkColor(dc, ToColorRef(colours.menuBackgroundColor));
    return reinterpret_cast<LRESULT>(background_.Get());
}

void FindWindow::Draw(const DRAWITEMSTRUCT& draw) {
    // Only whole rows: the focus rectangle is drawn by nobody, the focus is in the text.
    if (draw.itemID == static_cast<UINT>(-1) || draw.itemAction == ODA_FOCUS)
        return;
    FindList& finder = form_.Finder();
    const auto& rows = finder.Rows();
    const std::size_t row = draw.itemID;
    const MenuColours& colours = theme_.Colours();
    if (row < rows.size())
        PaintFoundRow(draw, rows[row].node, rows[row].node->caption, GroupPath(*rows[row].node),
                      colours, dpi_);
    else if (rows.empty())
        PaintFoundRow(draw, nullptr, std::string(finder.Notice()), {}, colours, dpi_);
}

LRESULT CALLBACK FindWindow::EditProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    FindWindow* self = WindowOf(edit);
    if (!self)
        return DefWindowProcA(edit, message, wParam, lParam);
    const WNDPROC original = self->editProcedure_;
    if (Handled([&] { return self->EditMessage(message, wParam); }))
        return 0;
    return CallWindowProcA(original, edit, message, wParam, lParam);
}

bool FindWindow::EditMessage(UINT message, WPARAM wParam) {
    FindList& finder = form_.Finder();
    if (message == WM_KEYDOWN) {
        if (const std::optional<FindKey> key = FindKeyOf(wParam)) {
            finder.Press(*key, VisibleRows);
            ShowSelection();
            return true;
        }
        if (wParam == VK_RETURN) {
            form_.OpenFound();
            return true;
        }
        if (wParam == VK_ESCAPE) {
            form_.EscapeFind();
            if (Shown() && TextOf(edit_) != finder.Text())
                SetWindowTextA(edit_, finder.Text().c_str());
            return true;
        }
        return false;
    }
    // Enter and Esc make no beep; Ctrl+C copies the row's link unless text is selected.
    if (message == WM_CHAR) {
        if (wParam == '\r' || wParam == '\n' || wParam == 0x1B)
            return true;
        if (wParam == 0x03 && !HasTextSelection(edit_)) {
            form_.CopyFound();
            return true;
        }
    }
    return false;
}

LRESULT CALLBACK FindWindow::ListProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    FindWindow* self = WindowOf(list);
    if (!self)
        return DefWindowProcA(list, message, wParam, lParam);
    const WNDPROC original = self->listProcedure_;
    if (Handled([&] { return self->ListMessage(message, lParam); }))
        return 0;
    return CallWindowProcA(original, list, message, wParam, lParam);
}

// A row is chosen as a menu's: pressed, then released on the same row. The list never takes
// the focus: the keys stay with the text.
bool FindWindow::ListMessage(UINT message, LPARAM lParam) {
    if (message != WM_LBUTTONDOWN && message != WM_LBUTTONDBLCLK && message != WM_LBUTTONUP)
        return false;
    const LRESULT hit = SendMessageA(list_, LB_ITEMFROMPOINT, 0, lParam);
    const int row = HIWORD(hit) == 0 ? static_cast<int>(LOWORD(hit)) : -1;
    if (message != WM_LBUTTONUP) {
        pressedRow_ = row;
        form_.Finder().Select(row);
        ShowSelection();
    } else if (row >= 0 && row == std::exchange(pressedRow_, -1)) {
        form_.Finder().Select(row);
        form_.OpenFound();
    }
    return true;
}

} // namespace vantrel::win32
