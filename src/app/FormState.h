#pragma once
// What the main form has open and what it still owes the disk, in one place: whether a close
// may destroy the window now or must wait, when a version-check result may be shown, and when
// the tree is written. Decisions only; the window and the form carry them out.

#include <cstdint>
#include <optional>

namespace vantrel {

class FormState {
  public:
    // ---- Menus and dialogs (message boxes count as dialogs) ----
    void MenuOpened() { menuOpen_ = true; }
    enum class AfterMenu { RunChoice, DestroyWindow, AwaitDialog };
    // The menu closed. A close that waited for it destroys the window, unless a dialog is
    // still open under it: the close then waits for that dialog too, and nothing is chosen.
    AfterMenu MenuClosed();
    bool MenuOpen() const { return menuOpen_; }
    void DialogOpened() { ++dialogs_; }
    // A dialog closed: true when a close waited for it and is to be asked for again.
    bool DialogClosed();
    bool DialogOpen() const { return dialogs_ > 0; }

    // ---- Closing (WM_CLOSE) ----
    struct CloseSteps {
        bool endMenu = false;
        bool cancelDialog = false;
        bool destroyWindow = false;
    };
    // The window goes only when nothing of the program is open. Otherwise the menu is ended
    // and the dialog cancelled, and the close comes back once they have gone: the command
    // that opened a dialog still holds on to the tree.
    CloseSteps CloseAsked();
    // The user chose to stay (No to "Exit anyway?"): a close that waited for that question and
    // comes again is not carried out.
    void StayChosen() { dropReturningClose_ = closeReturning_; }

    // ---- The version check's result ----
    // True when it may be shown now; otherwise it is kept until nothing is open.
    bool VersionResultArrived(std::intptr_t result);
    // The result kept, once nothing is open and no close is waiting; taken only once.
    std::optional<std::intptr_t> TakeVersionResult();

    // ---- Saving ----
    // The tree changed: true when the save timer is to be started. The changes until it
    // elapses make one save; one made while a save is being written is saved after it.
    bool TreeChanged();
    // The tree is not what the files hold, with no save due for it yet (the examples of a
    // first start): it is written with the next change or when the program ends.
    void TreeDiffersFromFiles() { ++changes_; }
    // The files do not hold the tree as it was loaded (a copy missing or damaged, damaged
    // files set aside): the next save writes them again. The user asked for none of it, so a
    // failure is told only once a change of theirs is not saved either. True when the save
    // timer is to be started: `soon`, when no whole file holds the tree any more.
    bool RepairDue(bool soon);
    // Something is to be written.
    bool Changed() const { return changes_ != saved_; }
    // Something the user would miss is not saved: a change, or the examples of a first start.
    bool UnsavedWork() const { return Changed() && changes_ > repairs_; }
    // The save timer elapsed: true when a save is to begin now; while one is being written,
    // the next begins as soon as it ends.
    bool SaveDue();
    // A save began from the tree as it is now.
    void SaveBegun() { inFlight_ = changes_; }
    bool SaveInFlight() const { return inFlight_.has_value(); }
    struct SaveEnd {
        bool beginSave = false; // its timer elapsed while this one was being written
        // A failure that loses the user's work, not told since the last save that worked.
        bool tellFailure = false;
    };
    SaveEnd SaveEnded(bool saved);
    // The failure was told; it is not told again until a save has worked.
    void FailureTold() { failureTold_ = true; }
    // The tree as it is now was written, or the user chose to lose its changes.
    void Settled();

  private:
    bool StartTimer();

    bool menuOpen_ = false;
    int dialogs_ = 0;
    bool closeWaiting_ = false;
    bool closeReturning_ = false;     // a close that waited for a dialog was asked for again
    bool dropReturningClose_ = false; // and the user chose to stay meanwhile
    std::optional<std::intptr_t> versionResult_;
    std::uint64_t changes_ = 0; // changes counted since start-up
    std::uint64_t saved_ = 0;   // the count the files hold
    std::uint64_t repairs_ = 0; // the changes up to this count are the program's own repairs
    std::optional<std::uint64_t> inFlight_;
    bool timerRunning_ = false;
    bool overdue_ = false; // the timer elapsed while a save was being written
    bool failureTold_ = false;
};

} // namespace vantrel
