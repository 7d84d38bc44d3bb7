// The Find window's commands: opening and closing it, and what it does with the chosen entry.
#include "app/MainForm.h"

#include "find/FindList.h"

namespace vantrel {

FindList& MainForm::Finder() {
    if (!finder_)
        finder_ = std::make_unique<FindList>(main_.categories, platform_.codePage);
    return *finder_;
}

void MainForm::ToggleFind() {
    UiApi& ui = platform_.ui;
    if (ui.FindWindowShown()) {
        ui.CloseFindWindow(FindClosing::GiveBack);
        return;
    }
    // One window to work in at a time: an open dialog keeps its data and comes to the front.
    if (state_.DialogOpen()) {
        ui.BringToForeground();
        return;
    }
    Finder().Open();
    ui.ShowFindWindow();
}

// The chosen entry, with the window closed for it; none when nothing is chosen (it stays).
const LinkEntry* MainForm::TakeFound(FindClosing closing) {
    const LinkEntry* entry = Finder().Chosen();
    if (entry)
        platform_.ui.CloseFindWindow(closing);
    return entry;
}

void MainForm::OpenFound() {
    if (const LinkEntry* entry = TakeFound(FindClosing::KeepFront))
        OpenLink(*entry);
}

// The user copies to paste into the window they came from: it gets the front back.
void MainForm::CopyFound() {
    if (const LinkEntry* entry = TakeFound(FindClosing::GiveBack))
        CopyLink(*entry);
}

void MainForm::EscapeFind() {
    if (Finder().Escape())
        platform_.ui.CloseFindWindow(FindClosing::GiveBack);
}

} // namespace vantrel
