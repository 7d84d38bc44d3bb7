// Loading and saving the user's tree, and the example content of a first start. A change is
// written on the save thread a second later, from a copy of the records taken here; what is
// not written yet when the program or the session ends is written then, on this thread.
#include "app/MainForm.h"
#include "tree/Configuration.h"
#include "tree/DefaultContent.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace vantrel {

// How often the save thread posts the message of its end again while it could not be posted
// (a full message queue).
constexpr std::chrono::milliseconds SaveEndRetry{200};

// A save being written on the save thread; its outcome is read once the thread has ended.
struct SaveJob {
    std::uintptr_t number = 0; // told back with the message of its end
    SaveImage image;
    std::optional<ConfigurationPaths> paths;
    SaveOutcome outcome;

    // Save thread: posts the message of the end until it is queued, or the form comes for the
    // outcome without it.
    void TellEnd(MessageApi& messages) {
        std::unique_lock<std::mutex> lock(mutex);
        while (!collecting && !messages.PostToMainForm(SaveEndedMessage, number, 0))
            changed.wait_for(lock, SaveEndRetry);
    }
    void Collecting() {
        {
            const std::lock_guard<std::mutex> lock(mutex);
            collecting = true;
        }
        changed.notify_all();
    }

  private:
    std::mutex mutex;
    std::condition_variable changed;
    bool collecting = false;
};

namespace {
std::string SaveFailedQuestion(const std::string& where) {
    const std::string to = where.empty() ? "" : " to " + where;
    return "Your shortcuts could not be saved" + to +
           ".\n\nExit anyway? The changes since they were last saved will be lost.";
}

// The path last: a balloon holds 255 characters, and a long one is cut at its end.
std::string SaveFailedNotice(const SaveOutcome& outcome) {
    std::string notice = "Your shortcuts could not be saved";
    notice += outcome.reason.empty() ? "." : ": " + outcome.reason;
    return notice + "\nVantrel tries again with your next change and at Exit.\n" + outcome.path;
}

std::string StoredFilesKeptNotice(const std::string& where) {
    return "Your shortcuts could not be read whole. Their files are kept as they are, and the "
           "changes you make until Vantrel starts again are not saved.\n" +
           where;
}
} // namespace

bool MainForm::LoadConfiguration() {
    const LoadReport report = vantrel::LoadConfiguration(main_.categories, platform_);
    keepStoredFiles_ = report.keepStoredFiles;
    if (report.upToDate)
        return report.valid;
    // Files that do not hold the tree read (it came from the copy, or the copy is missing or
    // damaged) are written again with the next save; a second from now when damaged files were
    // set aside, since no whole file holds it then. The examples of a first start are written
    // with the first change or when the program ends. Never anything at start-up itself.
    if (report.valid || report.setAside) {
        if (state_.RepairDue(report.setAside))
            StartSaveTimer();
    } else {
        state_.TreeDiffersFromFiles();
    }
    return report.valid;
}

void MainForm::CreateDefaultContent() {
    vantrel::CreateDefaultContent(main_.categories, platform_, facts_);
}

bool MainForm::SavingAllowed() const {
    // A start-up that failed half-way holds a partial tree that must never replace the
    // stored one; nor may a tree that lacks what the stored files hold, nor one released as
    // the program ends.
    return facts_.startupComplete && !keepStoredFiles_ && !treeReleased_;
}

void MainForm::TreeChanged() {
    if (state_.TreeChanged())
        StartSaveTimer();
    if (keepStoredFiles_ && !keptFilesTold_)
        keptFilesTold_ = platform_.ui.ShowBalloon(
            ProgramTitle, StoredFilesKeptNotice(PrimaryPath()), BalloonTimeoutMs);
}

void MainForm::StartSaveTimer() {
    // Without a timer the save begins at once rather than never.
    if (!platform_.ui.StartTimer(SaveTimer, SaveDelayMs))
        TimerElapsed(SaveTimer);
}

void MainForm::BeginSave() {
    // A save's end heard late (inside a balloon, say) may ask for one that is no longer due.
    if (!SavingAllowed() || !state_.Changed())
        return;
    SaveOutcome outcome{false, "There is not enough memory.", ""};
    state_.SaveBegun();
    try {
        auto job = std::make_shared<SaveJob>();
        job->number = ++savesBegun_;
        job->paths = ConfigurationPathsOf(platform_.process);
        job->image = TakeSaveImage(main_.categories);
        if (StartSaveThread(job))
            return;
        // No thread to be had: the user waits this once rather than lose the change.
        outcome = WriteSaveImage(job->image, job->paths, platform_.files);
    } catch (...) {
    }
    TakeOutcome(outcome);
}

bool MainForm::StartSaveThread(const std::shared_ptr<SaveJob>& job) {
    FileApi& files = platform_.files;
    MessageApi& messages = platform_.messages;
    if (!platform_.saveThread.Start([job, &files, &messages] {
            job->outcome = WriteSaveImage(job->image, job->paths, files);
            job->image = SaveImage{}; // its memory is given back before the program hears
            job->TellEnd(messages);
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
    saveJob_->Collecting();
    platform_.saveThread.Wait();
    const std::shared_ptr<SaveJob> job = std::move(saveJob_);
    saveJob_.reset();
    return TakeOutcome(job->outcome);
}

bool MainForm::TakeOutcome(const SaveOutcome& outcome) {
    const FormState::SaveEnd end = state_.SaveEnded(outcome.saved);
    if (end.tellFailure &&
        platform_.ui.ShowBalloon(ProgramTitle, SaveFailedNotice(outcome), BalloonTimeoutMs))
        state_.FailureTold();
    return end.beginSave;
}

SaveOutcome MainForm::SaveConfiguration() {
    if (saveJob_)
        CollectSave(); // whatever is still due is written below
    if (!SavingAllowed() || !state_.Changed())
        return SaveOutcome{true, "", ""};
    SaveOutcome outcome = WriteConfiguration(main_.categories, platform_);
    if (outcome.saved)
        state_.Settled();
    return outcome;
}

std::string MainForm::PrimaryPath() {
    const auto paths = ConfigurationPathsOf(platform_.process);
    return paths ? paths->primary : std::string(config::PrimaryName);
}

void MainForm::PopupMenuSubExitClick() {
    // Saved here, while the program can still stay: a save that fails (a folder that is not
    // writable, a full disk) would otherwise lose the user's changes without a word. A repair
    // of the files that fails loses nothing of theirs and asks nothing.
    const SaveOutcome outcome = SaveConfiguration();
    if (!outcome.saved) {
        if (state_.UnsavedWork() &&
            platform_.ui.AskYesNo(SaveFailedQuestion(outcome.path), ProgramTitle,
                                  DefaultAnswer::No) != MessageBoxResult::Yes) {
            state_.StayChosen();
            return;
        }
        state_.Settled(); // nothing is tried again as the program ends
    }
    platform_.ui.CloseMainForm();
}

} // namespace vantrel
