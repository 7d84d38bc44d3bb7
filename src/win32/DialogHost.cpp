#include "win32/DialogHost.h"

#include "platform/Dpi.h"
#include "render/ColourModel.h"
#include "render/PictureData.h"
#include "win32/Dpi.h"
#include "win32/Handles.h"
#include "win32/ProgramArt.h"
#include "win32/Win32HotKeys.h"
#include "win32/Win32Theme.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace vantrel::win32 {

namespace {
constexpr int FirstControlId = 100;
// WM_GETDPISCALEDSIZE, from Windows 10 1703 on; newer than the headers the program targets.
constexpr UINT GetDpiScaledSizeMessage = 0x02E4;

class DialogHost;
// The hosts whose dialog window exists, innermost last. GUI thread only.
std::vector<const DialogHost*> openHosts;

class DialogHost {
public:
    DialogHost(HINSTANCE instance, DialogModel& model) : instance_(instance), model_(model) {}
    ~DialogHost();
    DialogHost(const DialogHost&) = delete;
    DialogHost& operator=(const DialogHost&) = delete;

    INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    const DialogModel& Model() const { return model_; }
    HWND Window() const { return dialog_; }
    bool Acting() const { return acting_; }

private:
    // True when it has put the focus where the model starts.
    bool OnInit(HWND dialog);
    void MakeFonts();
    void CreateControls();
    HWND CreateControl(const Control& control, int id, bool groupStart);
    RECT ControlRect(const Control& control) const;
    void OnDpiChanged(int dpi, const RECT& suggested);
    SIZE LabelSize(const std::string& text, HGDIOBJ font) const;
    // The window around the layout drawn at that DPI.
    SIZE WindowSize(int dpi) const;
    void PlaceWindow();
    int Scaled(int length) const { return ScaledLength(length, dpi_); }
    void OnCommand(int id, int code, HWND control);
    // Runs one of the model's handlers as the user's act: the controls are read before it
    // and show its result after it.
    template <typename Act> void UserAct(Act act) {
        Pull();
        acting_ = true;
        try {
            act();
        } catch (...) {
            acting_ = false;
            throw;
        }
        acting_ = false;
        Push();
        EndIfDecided();
    }
    void Pull();
    void Push();
    void EndIfDecided();
    bool DrawOwnerDrawn(const DRAWITEMSTRUCT& draw);
    void DrawGlyphButton(const DRAWITEMSTRUCT& draw, const Control& control);
    void DrawLink(const DRAWITEMSTRUCT& draw, const Control& control);
    void DrawPicture(const DRAWITEMSTRUCT& draw);
    Control* ControlOfId(int id);
    const Control* ControlOfName(const std::string& name) const;
    HGDIOBJ FontOf(const Control& control) const {
        return control.kind == ControlKind::LinkLabel ? linkFont_.Get() : font_.Get();
    }
    // The white of a white dialog gives way to the scheme's window colours under high
    // contrast, as every colour the program sets does.
    bool OwnColours() const {
        return model_.Background() == DialogBackground::White && !highContrast_;
    }
    COLORREF BackgroundColour() const;
    HBRUSH BackgroundBrush();

    HINSTANCE instance_;
    DialogModel& model_;
    HWND dialog_ = nullptr;
    OwnedGdiObject font_;
    OwnedGdiObject linkFont_;
    OwnedGdiObject whiteBrush_;
    std::vector<HWND> windows_; // parallel to model_.Controls()
    bool pushing_ = false;
    bool acting_ = false; // one of the model's handlers is running
    bool highContrast_ = false;
    int dpi_ = DesignDpi; // of the monitor the dialog shows on
};

DWORD StyleOf(const Control& control) {
    DWORD style = WS_CHILD | (control.visible ? WS_VISIBLE : 0u) |
                  (TakesTab(control) ? WS_TABSTOP : 0u);
    switch (control.kind) {
    case ControlKind::Edit: return style | ES_AUTOHSCROLL | WS_BORDER;
    case ControlKind::HotKey: return style | WS_BORDER;
    case ControlKind::Button: return style | BS_PUSHBUTTON;
    // A link is a button drawn as a link: it takes the focus, shows it, and Space presses it.
    case ControlKind::LinkLabel:
    case ControlKind::GlyphButton: return style | BS_OWNERDRAW;
    // Neither kind checks itself: a click only notifies, the model flips the state (once)
    // and the host shows it. A radio button also tells when it gets the focus.
    case ControlKind::RadioButton: return style | BS_RADIOBUTTON | BS_NOTIFY;
    case ControlKind::CheckBox: return style | BS_CHECKBOX;
    case ControlKind::Bevel: return style | SS_ETCHEDHORZ;
    case ControlKind::Picture: return style | SS_OWNERDRAW;
    case ControlKind::Label: return style | SS_LEFT;
    }
    return style;
}

const char* ClassOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::Edit: return "EDIT";
    case ControlKind::HotKey: return HOTKEY_CLASSA;
    case ControlKind::Button:
    case ControlKind::GlyphButton:
    case ControlKind::LinkLabel:
    case ControlKind::RadioButton:
    case ControlKind::CheckBox: return "BUTTON";
    default: return "STATIC";
    }
}

bool HasFrame(ControlKind kind) {
    return kind == ControlKind::Edit || kind == ControlKind::HotKey;
}

// A hot-key field holds its keys, not a text: the model's text is their text form.
std::string HotKeyText(HWND window) {
    return ShortcutText(ShortcutOfHotKeyField(
        static_cast<WORD>(SendMessageA(window, HKM_GETHOTKEY, 0, 0))));
}

void ShowHotKey(HWND window, const std::string& text) {
    const WORD value = HotKeyFieldValue(ParseShortcut(text).value_or(Shortcut{}));
    const WORD shown = static_cast<WORD>(SendMessageA(window, HKM_GETHOTKEY, 0, 0));
    if (!SameHotKeyFieldValue(shown, value))
        SendMessageA(window, HKM_SETHOTKEY, value, 0);
}

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

OwnedGdiObject DialogFont(int dpi, bool underline) {
    LOGFONTA font{};
    font.lfHeight = -MulDiv(DialogModel::FontPoints, dpi, 72);
    font.lfWeight = FW_NORMAL;
    font.lfUnderline = underline ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(font.lfFaceName, DialogModel::FontName, LF_FACESIZE - 1);
    return OwnedGdiObject(CreateFontIndirectA(&font));
}

// Blends straight-alpha, bottom-up pixels over a background colour into a 32-bit buffer.
std::vector<std::uint8_t> BlendOver(const std::uint8_t* pixels, int side, COLORREF background) {
    std::vector<std::uint8_t> out(static_cast<std::size_t>(side * side * 4));
    const int back[3] = {GetBValue(background), GetGValue(background), GetRValue(background)};
    for (std::size_t i = 0; i < out.size(); i += 4) {
        const int alpha = pixels[i + 3];
        for (std::size_t c = 0; c < 3; ++c)
            out[i + c] = static_cast<std::uint8_t>(back[c] + (pixels[i + c] - back[c]) * alpha / 255);
        out[i + 3] = 0;
    }
    return out;
}

void DrawPixels(HDC dc, const RECT& target, int side, const std::vector<std::uint8_t>& pixels) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = side;
    info.bmiHeader.biHeight = side;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    StretchDIBits(dc, target.left, target.top, target.right - target.left,
                  target.bottom - target.top, 0, 0, side, side, pixels.data(), &info,
                  DIB_RGB_COLORS, SRCCOPY);
}

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG)
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    auto* host = reinterpret_cast<DialogHost*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!host)
        return FALSE;
    // No exception may unwind into user32.
    try {
        return host->Handle(dialog, message, wParam, lParam);
    } catch (...) {
        return FALSE;
    }
}

INT_PTR DialogHost::Handle(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInit(dialog) ? FALSE : TRUE;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return TRUE;
    case WM_CLOSE:
        model_.UserClose();
        EndIfDecided();
        return TRUE;
    case GetDpiScaledSizeMessage: {
        // Our layout's size at the new DPI, not one the dialog manager guesses from a template.
        *reinterpret_cast<SIZE*>(lParam) = WindowSize(static_cast<int>(wParam));
        SetWindowLongPtrA(dialog_, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return TRUE;
    // High contrast turned on or off changes the system's colours: the dialog follows at once.
    case WM_SYSCOLORCHANGE:
        highContrast_ = Win32Theme().HighContrast();
        RedrawWindow(dialog_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return FALSE;
    case WM_DRAWITEM:
        return DrawOwnerDrawn(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)) ? TRUE : FALSE;
    case WM_CTLCOLORDLG:
        if (model_.Background() == DialogBackground::Standard)
            return FALSE;
        return reinterpret_cast<INT_PTR>(BackgroundBrush());
    case WM_CTLCOLORSTATIC: {
        if (model_.Background() == DialogBackground::Standard)
            return FALSE;
        HDC dc = reinterpret_cast<HDC>(wParam);
        if (!OwnColours())
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<INT_PTR>(BackgroundBrush());
    }
    case WM_SETCURSOR: {
        Control* control = ControlOfId(GetDlgCtrlID(reinterpret_cast<HWND>(wParam)));
        if (control && control->kind == ControlKind::LinkLabel) {
            SetCursor(LoadCursor(nullptr, IDC_HAND));
            SetWindowLongPtrA(dialog_, DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
        return FALSE;
    }
    default: return FALSE;
    }
}

DialogHost::~DialogHost() {
    openHosts.erase(std::remove(openHosts.begin(), openHosts.end(), this), openHosts.end());
}

bool DialogHost::OnInit(HWND dialog) {
    dialog_ = dialog;
    openHosts.push_back(this);
    SetWindowTextA(dialog_, model_.Caption().c_str());
    highContrast_ = Win32Theme().HighContrast();
    dpi_ = DpiOfWindow(dialog_);
    MakeFonts();
    CreateControls();
    Push();
    PlaceWindow();
    const Control* start = ControlOfName(model_.StartControl());
    if (!start)
        return false;
    // As Tab would: an edit box's text selected, a push button made the default.
    HWND window = windows_[static_cast<std::size_t>(start - model_.Controls().data())];
    if (!window)
        return false;
    SendMessageA(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(window), TRUE);
    return true;
}

void DialogHost::MakeFonts() {
    font_ = DialogFont(dpi_, false);
    linkFont_ = DialogFont(dpi_, true);
}

// Dragged onto a monitor with another scaling: fonts, controls and the window follow it. The
// window goes where Windows suggests, at our layout's size: the suggested size is ours only
// where WM_GETDPISCALEDSIZE is asked; before that it scales the frame, which does not scale.
void DialogHost::OnDpiChanged(int dpi, const RECT& suggested) {
    // The controls draw with the old fonts until they are handed the new ones.
    const OwnedGdiObject oldFont = std::move(font_);
    const OwnedGdiObject oldLinkFont = std::move(linkFont_);
    dpi_ = dpi;
    MakeFonts();
    const auto& controls = model_.Controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (!windows_[i])
            continue;
        SendMessageA(windows_[i], WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(controls[i])), FALSE);
        const RECT rect = ControlRect(controls[i]);
        SetWindowPos(windows_[i], nullptr, rect.left, rect.top, rect.right - rect.left,
                     rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    const SIZE size = WindowSize(dpi);
    SetWindowPos(dialog_, nullptr, suggested.left, suggested.top, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(dialog_, nullptr, TRUE);
}

// Windows tabs through controls in creation order, and a group runs from one control with
// WS_GROUP to the next.
void DialogHost::CreateControls() {
    auto& controls = model_.Controls();
    windows_.assign(controls.size(), nullptr);
    for (const KeyboardPlace& place : KeyboardOrder(controls))
        windows_[place.control] =
            CreateControl(controls[place.control], FirstControlId + static_cast<int>(place.control),
                          place.groupStart);
}

SIZE DialogHost::LabelSize(const std::string& text, HGDIOBJ font) const {
    WindowDc dc(dialog_);
    ScopedSelect select(dc.Get(), font);
    RECT bounds{0, 0, 0, 0};
    DrawTextA(dc.Get(), text.c_str(), static_cast<int>(text.size()), &bounds,
              DT_CALCRECT | DT_SINGLELINE);
    return {bounds.right, bounds.bottom};
}

// A label without a size takes its text's, measured in the scaled font.
RECT DialogHost::ControlRect(const Control& control) const {
    const ControlBox box = ScaledBox(control, dpi_);
    SIZE size{box.width, box.height};
    if (size.cx == 0 || size.cy == 0) {
        // Measured in the font the control shows: a link's underlined font may be wider.
        const SIZE text = LabelSize(control.text, FontOf(control));
        size.cx = size.cx ? size.cx : text.cx;
        size.cy = size.cy ? size.cy : text.cy;
    }
    return {box.left, box.top, box.left + size.cx, box.top + size.cy};
}

HWND DialogHost::CreateControl(const Control& control, int id, bool groupStart) {
    const RECT rect = ControlRect(control);
    if (control.kind == ControlKind::HotKey && !HotKeyFieldAvailable())
        return nullptr;
    const DWORD extended = HasFrame(control.kind) ? WS_EX_CLIENTEDGE : 0;
    DWORD style = StyleOf(control) | (groupStart ? WS_GROUP : 0u);
    if (extended)
        style &= ~static_cast<DWORD>(WS_BORDER);
    HWND window = CreateWindowExA(extended, ClassOf(control.kind), control.text.c_str(), style,
                                  rect.left, rect.top, rect.right - rect.left,
                                  rect.bottom - rect.top, dialog_,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_,
                                  nullptr);
    if (!window)
        return nullptr;
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(control)), FALSE);
    if (control.kind == ControlKind::Edit && control.maxLength)
        SendMessageA(window, EM_LIMITTEXT, control.maxLength, 0);
    if (control.kind == ControlKind::HotKey)
        ShowHotKey(window, control.text);
    return window;
}

// The frame around the scaled client area, at that DPI where the system can tell it (Windows
// 10); before that the frame follows the system's DPI, as the dialog does.
SIZE DialogHost::WindowSize(int dpi) const {
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(dialog_, GWL_STYLE));
    const DWORD extended = static_cast<DWORD>(GetWindowLongPtrA(dialog_, GWL_EXSTYLE));
    RECT frame{0, 0, ScaledLength(model_.ClientWidth(), dpi),
               ScaledLength(model_.ClientHeight(), dpi)};
    using AdjustFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = reinterpret_cast<AdjustFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "AdjustWindowRectExForDpi")));
    if (!adjustForDpi || !adjustForDpi(&frame, style, FALSE, extended, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&frame, style, FALSE, extended);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

void DialogHost::PlaceWindow() {
    const SIZE size = WindowSize(dpi_);
    const int width = size.cx;
    const int height = size.cy;
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int left = work.left + (work.right - work.left - width) / 2;
    const int top = work.top + (work.bottom - work.top - height) / 2;
    SetWindowPos(dialog_, nullptr, left, top, width, height, SWP_NOZORDER);
}

const Control* DialogHost::ControlOfName(const std::string& name) const {
    for (const Control& control : model_.Controls())
        if (control.name == name)
            return &control;
    return nullptr;
}

Control* DialogHost::ControlOfId(int id) {
    const int index = id - FirstControlId;
    auto& controls = model_.Controls();
    if (index < 0 || static_cast<std::size_t>(index) >= controls.size())
        return nullptr;
    return &controls[static_cast<std::size_t>(index)];
}

void DialogHost::OnCommand(int id, int code, HWND window) {
    if (id == IDCANCEL) { // Esc
        UserAct([this] { model_.UserEscape(); });
        return;
    }
    Control* control = ControlOfId(id);
    if (control && control->kind == ControlKind::Edit) {
        if (code == EN_CHANGE && !pushing_)
            control->text = WindowText(windows_[static_cast<std::size_t>(id - FirstControlId)]);
        return;
    }
    // The arrow keys move the focus among the radio buttons, and the one they reach is
    // checked, as Windows does with its own (Wine moves the focus only).
    if (code == BN_SETFOCUS && control && control->kind == ControlKind::RadioButton &&
        !control->checked && GetKeyState(VK_LBUTTON) >= 0) {
        UserAct([&] { model_.UserClick(control->name); });
        return;
    }
    if (code != BN_CLICKED)
        return;
    // A click, Space, or Enter on a focused push button reaches the control with the focus.
    // Enter elsewhere comes as IDOK, or as a click of a push button that was the default
    // while it had the focus: the model decides what Enter does.
    if (control && window == GetFocus()) {
        UserAct([&] { model_.UserClick(control->name); });
        return;
    }
    const Control* focused = ControlOfId(GetDlgCtrlID(GetFocus()));
    const std::string name = focused ? focused->name : std::string();
    UserAct([&] { model_.UserEnter(name); });
}

void DialogHost::Pull() {
    auto& controls = model_.Controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (!windows_[i])
            continue;
        if (controls[i].kind == ControlKind::Edit)
            controls[i].text = WindowText(windows_[i]);
        else if (controls[i].kind == ControlKind::HotKey)
            controls[i].text = HotKeyText(windows_[i]);
        else if (controls[i].kind == ControlKind::CheckBox)
            controls[i].checked = SendMessageA(windows_[i], BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
}

void DialogHost::Push() {
    pushing_ = true;
    auto& controls = model_.Controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        HWND window = windows_[i];
        const Control& control = controls[i];
        if (!window)
            continue;
        if (control.kind == ControlKind::HotKey)
            ShowHotKey(window, control.text);
        else if (WindowText(window) != control.text)
            SetWindowTextA(window, control.text.c_str());
        if (control.kind == ControlKind::RadioButton || control.kind == ControlKind::CheckBox)
            SendMessageA(window, BM_SETCHECK, control.checked ? BST_CHECKED : BST_UNCHECKED, 0);
        // Tab enters the radio buttons at the checked one.
        const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
        const LONG_PTR tabStop = TakesTab(control) ? WS_TABSTOP : 0;
        if ((style & WS_TABSTOP) != tabStop)
            SetWindowLongPtrA(window, GWL_STYLE, (style & ~LONG_PTR{WS_TABSTOP}) | tabStop);
        EnableWindow(window, control.enabled ? TRUE : FALSE);
        ShowWindow(window, control.visible ? SW_SHOWNA : SW_HIDE);
    }
    pushing_ = false;
}

void DialogHost::EndIfDecided() {
    if (model_.Result() != ModalResult::None)
        EndDialog(dialog_, static_cast<INT_PTR>(model_.Result()));
}

bool DialogHost::DrawOwnerDrawn(const DRAWITEMSTRUCT& draw) {
    Control* control = ControlOfId(static_cast<int>(draw.CtlID));
    if (!control)
        return false;
    if (control->kind == ControlKind::GlyphButton)
        DrawGlyphButton(draw, *control);
    else if (control->kind == ControlKind::LinkLabel)
        DrawLink(draw, *control);
    else if (control->kind == ControlKind::Picture)
        DrawPicture(draw);
    else
        return false;
    return true;
}

void DialogHost::DrawGlyphButton(const DRAWITEMSTRUCT& draw, const Control& control) {
    RECT rect = draw.rcItem;
    const bool pushed = (draw.itemState & ODS_SELECTED) != 0;
    DrawFrameControl(draw.hDC, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0u));
    // The glyph's place grows with the scaling; the glyph drawn for that size (or the next
    // smaller one) sits in the middle of it, never stretched.
    const int slot = Scaled(PictureSide);
    int side = PictureSide;
    const std::uint8_t* glyph = GlyphFor(control.glyph, slot, side);
    const SIZE text = LabelSize(control.text, font_.Get());
    const int gap = Scaled(4);
    const int contentWidth = (glyph ? slot + gap : 0) + text.cx;
    const int shift = pushed ? Scaled(1) : 0;
    int x = rect.left + (rect.right - rect.left - contentWidth) / 2 + shift;
    const int middle = (rect.top + rect.bottom) / 2 + shift;
    if (glyph) {
        const int left = x + (slot - side) / 2;
        const int top = middle - side / 2;
        const RECT glyphRect{left, top, left + side, top + side};
        DrawPixels(draw.hDC, glyphRect, side, BlendOver(glyph, side, GetSysColor(COLOR_BTNFACE)));
        x += slot + gap;
    }
    ScopedSelect select(draw.hDC, font_.Get());
    const int previousMode = SetBkMode(draw.hDC, TRANSPARENT);
    SetTextColor(draw.hDC, GetSysColor((draw.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT
                                                                        : COLOR_BTNTEXT));
    RECT textRect{x, rect.top, rect.right, rect.bottom};
    DrawTextA(draw.hDC, control.text.c_str(), static_cast<int>(control.text.size()), &textRect,
              DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    SetBkMode(draw.hDC, previousMode);
    if (draw.itemState & ODS_FOCUS) {
        RECT focus = rect;
        InflateRect(&focus, -Scaled(4), -Scaled(4));
        DrawFocusRect(draw.hDC, &focus);
    }
}

// Underlined, in the colour the scheme gives links where it reads on the dialog's background
// (some schemes make it a pale hover colour), else in black or white.
void DialogHost::DrawLink(const DRAWITEMSTRUCT& draw, const Control& control) {
    RECT rect = draw.rcItem;
    FillRect(draw.hDC, &rect, BackgroundBrush());
    ScopedSelect select(draw.hDC, linkFont_.Get());
    const int previousMode = SetBkMode(draw.hDC, TRANSPARENT);
    const Rgb link = ReadableTextColour(FromColorRef(GetSysColor(COLOR_HOTLIGHT)),
                                        FromColorRef(BackgroundColour()));
    const COLORREF previousColour = SetTextColor(draw.hDC, ToColorRef(link));
    DrawTextA(draw.hDC, control.text.c_str(), static_cast<int>(control.text.size()), &rect,
              DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
    SetTextColor(draw.hDC, previousColour);
    SetBkMode(draw.hDC, previousMode);
    if (draw.itemState & ODS_FOCUS)
        DrawFocusRect(draw.hDC, &rect);
}

void DialogHost::DrawPicture(const DRAWITEMSTRUCT& draw) {
    const RECT& box = draw.rcItem;
    const int side = std::min(box.right - box.left, box.bottom - box.top);
    const std::vector<std::uint8_t> picture = AboutPictureAt(side);
    if (picture.empty())
        return;
    const RECT target{box.left, box.top, box.left + side, box.top + side};
    DrawPixels(draw.hDC, target, side, BlendOver(picture.data(), side, BackgroundColour()));
}

COLORREF DialogHost::BackgroundColour() const {
    if (model_.Background() == DialogBackground::Standard)
        return GetSysColor(COLOR_BTNFACE);
    return OwnColours() ? RGB(255, 255, 255) : GetSysColor(COLOR_WINDOW);
}

HBRUSH DialogHost::BackgroundBrush() {
    if (model_.Background() == DialogBackground::Standard)
        return GetSysColorBrush(COLOR_BTNFACE);
    if (!OwnColours())
        return GetSysColorBrush(COLOR_WINDOW);
    if (!whiteBrush_)
        whiteBrush_ = OwnedGdiObject(CreateSolidBrush(RGB(255, 255, 255)));
    return static_cast<HBRUSH>(whiteBrush_.Get());
}

// An empty dialog template: the controls are made from the model in WM_INITDIALOG.
std::vector<WORD> EmptyTemplate() {
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0);
    auto* dialogTemplate = reinterpret_cast<DLGTEMPLATE*>(words.data());
    dialogTemplate->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    return words; // then no menu, the default class and an empty title
}
} // namespace

HWND ActingDialog() {
    return !openHosts.empty() && openHosts.back()->Acting() ? openHosts.back()->Window() : nullptr;
}

HWND WindowOfDialog(const DialogModel& model) {
    for (auto host = openHosts.rbegin(); host != openHosts.rend(); ++host)
        if (&(*host)->Model() == &model)
            return (*host)->Window();
    return nullptr;
}

ModalResult ShowDialogModal(HINSTANCE instance, HWND owner, DialogModel& model) {
    model.BeginModal();
    DialogHost host(instance, model);
    std::vector<WORD> dialogTemplate = EmptyTemplate();
    const INT_PTR shown = DialogBoxIndirectParamA(
        instance, reinterpret_cast<DLGTEMPLATE*>(dialogTemplate.data()), owner, &DialogProcedure,
        reinterpret_cast<LPARAM>(&host));
    if (shown <= 0 || model.Result() == ModalResult::None)
        return ModalResult::Cancel;
    return model.Result();
}

} // namespace vantrel::win32
