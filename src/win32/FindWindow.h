#pragma once
// The Find window: an edit box over a list of the entries found, without a caption, in front
// at the top of the pointer's monitor. Made at its first showing and hidden, not destroyed,
// between showings. What it shows and what its keys do are the main form's Finder(); this
// window only carries them to the screen. The list is a real list box holding each row's
// name, so that screen readers read the rows; the rows are painted as the menus' are.

#include "app/MainForm.h"
#include "render/MenuTheme.h"
#include "win32/Handles.h"
#include "win32/WinHeaders.h"

namespace vantrel::win32 {

class FindWindow {
  public:
    FindWindow(HINSTANCE instance, MainForm& form, MenuTheme& theme);
    ~FindWindow();
    FindWindow(const FindWindow&) = delete;
    FindWindow& operator=(const FindWindow&) = delete;

    // The finder is open already: shows its (empty) text, the focus in the edit box.
    void Show();
    // Hides the window; `owner` takes the front, or the window that had it before does.
    void Close(FindClosing closing, HWND owner);
    bool Shown() const;
    // Pictures of rows were read: the list shows them.
    void PicturesArrived();

    // Rows the list shows at most; a page for Page Up and Page Down.
    static constexpr int VisibleRows = 10;

  private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    static LRESULT CALLBACK EditProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ListProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The edit box's and the list's own messages; true when handled here.
    bool EditMessage(UINT message, WPARAM wParam);
    bool ListMessage(UINT message, LPARAM lParam);
    bool Create();
    // Fonts, row height and colours at the DPI of the monitor the window shows on.
    void Prepare(POINT at);
    void TextChanged();
    void Fill();
    void Place(int rows);
    void ShowSelection();
    void HurryPictures();
    void Hide();
    void Draw(const DRAWITEMSTRUCT& draw);
    LRESULT Colour(HDC dc);

    HINSTANCE instance_;
    MainForm& form_;
    MenuTheme& theme_;
    HWND window_ = nullptr;
    HWND edit_ = nullptr;
    HWND list_ = nullptr;
    WNDPROC editProcedure_ = nullptr;
    WNDPROC listProcedure_ = nullptr;
    HWND previous_ = nullptr; // in front before the window showed
    RECT work_{};             // of the monitor it shows on
    int dpi_ = 96;
    int rowHeight_ = 24;
    int pressedRow_ = -1;
    OwnedGdiObject font_;
    OwnedGdiObject background_;
};

} // namespace vantrel::win32
