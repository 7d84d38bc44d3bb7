#pragma once
// What the program asks of its own windows: the tray icon, popup menus, message boxes.

#include <string>

namespace vantrel {

class DialogModel;
class MenuNode;
enum class ModalResult;

enum class MessageBoxResult { Yes, No, Ok, Cancel, Other };

// The button a question box starts on. No, where Yes would lose something.
enum class DefaultAnswer { Yes, No };

// How a popup menu starts: as the mouse opens it, nothing lit; or as the keyboard opens one,
// its first row lit, so that the arrow keys, Enter and letters act on it at once.
enum class MenuStart { NothingLit, FirstRowLit };

// How the Find window closes: giving the front back to the window that had it before (Esc,
// the shortcut again), or keeping the program in front, so that what it opens next comes to
// the front as from a menu.
enum class FindClosing { GiveBack, KeepFront };

// Where a popup menu shows: its top-left corner at the point, as a click opens it (Windows
// turns it where it meets the screen's edge); or whole within the work area of the point's
// monitor, as the keyboard's shortcut opens the menu wherever the pointer rests.
enum class MenuPlace { AtPoint, InsideWorkArea };

class UiApi {
public:
    virtual ~UiApi() = default;

    virtual void HideMainForm() = 0;
    virtual bool ShowTrayIcon() = 0; // false when the shell refused the icon
    virtual void HideTrayIcon() = 0;
    // A balloon from the tray icon; the texts are UTF-8 (one may tell a path). False when it
    // could not be shown (no icon, or the shell refused it).
    virtual bool ShowBalloon(const std::string& title, const std::string& text,
                             unsigned timeoutMs) = 0;
    // The active modal dialog of the program when there is one, else the main form.
    virtual void BringToForeground() = 0;
    // Shows a popup menu at (x, y) and returns when it closes; a chosen command is handed
    // back to the main form after the menu has closed.
    virtual void ShowPopupMenu(MenuNode& menu, int x, int y, MenuStart start,
                               MenuPlace place) = 0;
    // The DPI of the monitor that holds the screen point (x, y): 96 at 100% display scaling.
    virtual int DpiAt(int x, int y) = 0;
    // Closes the main form: the message loop ends after FormDestroy has run.
    virtual void CloseMainForm() = 0;
    // Calls the main form's TimerElapsed(timer) once, that long from now, from the message
    // loop (a menu's or a dialog's included). False when no timer could be had.
    virtual bool StartTimer(unsigned timer, unsigned milliseconds) = 0;
    // Shows a dialog modally, centred on the screen, until its result is set; the close
    // box gives Cancel. While another dialog shows, only a handler of that one may open a
    // dialog (over it); anywhere else the answer is Cancel at once.
    virtual ModalResult ShowModal(DialogModel& dialog) = 0;
    // A message box with an OK button and the warning icon, over the active dialog; the text
    // is UTF-8 (it may show a path).
    virtual void ShowNotice(const std::string& text, const std::string& title) = 0;
    // The same with the information icon: what a command did.
    virtual void ShowMessage(const std::string& text, const std::string& title) = 0;
    // Yes/No question box with the question icon; Enter gives the default answer.
    virtual MessageBoxResult AskYesNo(const std::string& text, const std::string& title,
                                      DefaultAnswer defaultAnswer) = 0;
    // The Find window, showing the main form's Finder(): in front, on the pointer's monitor,
    // the keyboard focus in its text. It closes itself when another window is activated.
    virtual void ShowFindWindow() = 0;
    virtual void CloseFindWindow(FindClosing closing) = 0;
    virtual bool FindWindowShown() = 0;
};

} // namespace vantrel
