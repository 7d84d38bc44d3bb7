// Loading and saving the user's tree, and the example content of a first start. A change is
// written on the save thread a second later, from a copy of the records taken here; what is
// not written yet when the program or the session ends is written then, on this thread.
#include "app/MainForm.h"
#include "tree/Configuration.h"
#include "tree/DefaultContent.h"

namespace vantrel {

// A save being written on the save thread; its outcome is read once the thread has ended.
struct SaveJob {
    std::uintptr_t number = 0; // told back with the message of its end
    SaveImage image;
    std::optional<ConfigurationPaths> paths;
    SaveOutcome outcome;
};

namespace {
std::string SaveFailedQuestion(const std::string& where) {
    return "Your shortcuts could not be saved to " + where +
           ".\n\nExit anyway? The changes since they were last saved will be lost.";
}

std::string SaveFailedNotice(const std::string& where, const std::string& reason) {
    std::string notice = "Your shortcuts could not be saved to " + where;
    notice += reason.empty() ? "." : ": " + reason;
    return notice + "\nVantrel tries again with your next change and at Exit.";
}
} // namespace

bool MainForm::LoadConfiguration() {
    const LoadReport report = vantrel::LoadConfiguration(main_.categories, platform_);
    keepStoredFiles_ = report.keepStoredFiles;
    // The examples of a first start, or a tree read from a copy or from damaged files, are
    // written when the program ends (or with the first change), never at start-up.
    if (!report.upToDate)
        state_.TreeDiffersFromFiles();
    return report.valid;
}

void MainForm::CreateDefaultContent() {
    vantrel::CreateDefaultContent(main_.categories, platform_, facts_);
}

bool MainForm::SavingAllowed() const {
    // A start-up that failed half-way holds a partial tree that must never replace the
    // stored one; nor may a tree that lacks what the stored files hold.
    return facts_.startupComplete && !keepStoredFiles_;
}

void MainForm::TreeChanged() {
    if (state_.TreeChanged())
        platform_.ui.StartTimer(SaveTimer, SaveDelayMs);
}

void MainForm::BeginSave() {
    if (!SavingAllowed())
        return;
    auto job = std::make_shared<SaveJob>();
    job->number = ++savesBegun_;
    job->paths = ConfigurationPathsOf(platform_.process);
    state_.SaveBegun();
    try {
        job->image = TakeSaveImage(main_.categories);
    } catch (...) {
        TakeOutcome(false, "There is not enough memory.");
        return;
    }
    if (StartSaveThread(job))
        return;
    // No thread to be had: the user waits this once rather than lose the change.
    const SaveOutcome outcome = WriteSaveImage(job->image, job->paths, platform_.files);
    TakeOutcome(outcome.saved, outcome.reason);
}

bool MainForm::StartSaveThread(const std::shared_ptr<SaveJob>& job) {
    FileApi& files = platform_.files;
    MessageApi& messages = platform_.messages;
    if (!platform_.saveThread.Start([job, &files, &messages] {
            job->outcome = WriteSaveImage(job->image, job->paths, files);
            job->image = SaveImage{}; // its memory is given back before the program hears
            messages.PostToMainForm(SaveEndedMessage, job->number, 0);
        }))
        return false;
    saveJob_ = job;
    return true;
}

void MainForm::SaveEnded(std::uintptr_t number) {
    try {
        // Already taken in when a save on this thread waited for it.
        if (saveJob_ && saveJob_->number == number && CollectSave())
            BeginSave();
    } catch (...) {
    }
}

bool MainForm::CollectSave() {
    platform_.saveThread.Wait();
    const std::shared_ptr<SaveJob> job = std::move(saveJob_);
    saveJob_.reset();
    return TakeOutcome(job->outcome.saved, job->outcome.reason);
}

bool MainForm::TakeOutcome(bool saved, const std::string& reason) {
    const FormState::SaveEnd end = state_.SaveEnded(saved);
    if (end.tellFailure)
        platform_.ui.ShowBalloon(ProgramTitle, SaveFailedNotice(PrimaryPath(), reason),
                                 BalloonTimeoutMs);
    return end.beginSave;
}

bool MainForm::SaveConfiguration() {
    if (saveJob_)
        CollectSave(); // whatever is still due is written below
    if (!SavingAllowed() || !state_.Changed())
        return true;
    const bool saved = vantrel::SaveConfiguration(main_.categories, platform_);
    if (saved)
        state_.Settled();
    return saved;
}

std::string MainForm::PrimaryPath() {
    const auto paths = ConfigurationPathsOf(platform_.process);
    return paths ? paths->primary : std::string(config::PrimaryName);
}

void MainForm::PopupMenuSubExitClick() {
    // Saved here, while the program can still stay: a save that fails (a folder that is not
    // writable, a full disk) would otherwise lose the user's changes without a word.
    if (!SaveConfiguration()) {
        if (platform_.ui.AskYesNo(SaveFailedQuestion(PrimaryPath()), ProgramTitle,
                                  DefaultAnswer::No) != MessageBoxResult::Yes)
            return;
        state_.Settled(); // the user chose to lose the changes: nothing is tried again
    }
    platform_.ui.CloseMainForm();
}

} // namespace vantrel
