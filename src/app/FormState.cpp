#include "app/FormState.h"

#include <utility>

namespace vantrel {

FormState::AfterMenu FormState::MenuClosed() {
    menuOpen_ = false;
    if (!closeWaiting_)
        return AfterMenu::RunChoice;
    if (dialogs_ > 0)
        return AfterMenu::AwaitDialog;
    closeWaiting_ = false;
    return AfterMenu::DestroyWindow;
}

bool FormState::DialogClosed() {
    if (dialogs_ > 0)
        --dialogs_;
    const bool closeAgain = closeWaiting_;
    closeWaiting_ = false;
    closeReturning_ = closeAgain;
    return closeAgain;
}

FormState::CloseSteps FormState::CloseAsked() {
    CloseSteps steps;
    closeReturning_ = false;
    if (std::exchange(dropReturningClose_, false))
        return steps;
    steps.endMenu = menuOpen_;
    steps.cancelDialog = dialogs_ > 0;
    closeWaiting_ = steps.endMenu || steps.cancelDialog;
    steps.destroyWindow = !closeWaiting_;
    return steps;
}

bool FormState::VersionResultArrived(std::intptr_t result) {
    if (!menuOpen_ && dialogs_ == 0)
        return true;
    versionResult_ = result;
    return false;
}

std::optional<std::intptr_t> FormState::TakeVersionResult() {
    if (menuOpen_ || dialogs_ > 0 || closeWaiting_)
        return std::nullopt;
    const std::optional<std::intptr_t> result = versionResult_;
    versionResult_.reset();
    return result;
}

bool FormState::TreeChanged() {
    ++changes_;
    return StartTimer();
}

bool FormState::RepairDue(bool soon) {
    repairs_ = ++changes_;
    return soon && StartTimer();
}

bool FormState::StartTimer() {
    if (timerRunning_)
        return false;
    timerRunning_ = true;
    return true;
}

bool FormState::SaveDue() {
    timerRunning_ = false;
    overdue_ = overdue_ || inFlight_.has_value();
    return Changed() && !inFlight_;
}

FormState::SaveEnd FormState::SaveEnded(bool saved) {
    SaveEnd end;
    if (!inFlight_)
        return end;
    if (saved)
        saved_ = *inFlight_;
    inFlight_.reset();
    // A failed save is tried again at the next change and when the program ends, not over
    // and over in between.
    end.beginSave = overdue_ && Changed();
    overdue_ = false;
    end.tellFailure = !saved && !failureTold_ && UnsavedWork();
    failureTold_ = failureTold_ && !saved;
    return end;
}

void FormState::Settled() {
    saved_ = changes_;
    failureTold_ = false;
}

} // namespace vantrel
