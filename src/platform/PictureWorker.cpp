#include "platform/PictureWorker.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <utility>

namespace vantrel {

namespace {
struct Job {
    PictureTicket ticket = 0;
    PictureSource source;
    bool urgent = false;
};
} // namespace

struct PictureWorker::State {
    State(PictureReaderApi& pictureReader, std::function<bool()> wakeUp)
        : reader(pictureReader), wake(std::move(wakeUp)) {}

    void Run() noexcept;
    // Reading thread: waits for the next job; empty once stopped.
    std::optional<Job> NextJob();
    // Reading thread: false once stopped.
    bool Deliver(PictureAnswer answer);

    PictureReaderApi& reader;
    const std::function<bool()> wake;

    std::mutex mutex;
    std::condition_variable changed;
    std::deque<Job> jobs; // urgent ones in front
    std::vector<PictureAnswer> answers;
    bool told = false; // a message about the answers waiting is on its way
    bool stopped = false;
    bool ended = false; // the thread has finished with the reader
};

void PictureWorker::State::Run() noexcept {
    bool begun = false;
    try {
        while (const std::optional<Job> job = NextJob()) {
            if (!begun)
                reader.BeginThread();
            begun = true;
            std::optional<RawIcon> icon;
            try {
                icon = reader.Read(job->source, job->urgent);
            } catch (...) {
                // A failed read is an answer without a picture.
            }
            if (!Deliver({job->ticket, std::move(icon)}))
                break;
        }
        if (begun)
            reader.EndThread();
    } catch (...) {
        // Nothing may leave a thread: that would end the process.
    }
    const std::lock_guard<std::mutex> lock(mutex);
    ended = true;
    changed.notify_all();
}

std::optional<Job> PictureWorker::State::NextJob() {
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [this] { return stopped || !jobs.empty(); });
    if (stopped)
        return std::nullopt;
    Job job = std::move(jobs.front());
    jobs.pop_front();
    return job;
}

bool PictureWorker::State::Deliver(PictureAnswer answer) {
    const std::lock_guard<std::mutex> lock(mutex);
    if (stopped)
        return false;
    answers.push_back(std::move(answer));
    // One message for all the answers waiting: the user-interface thread takes them together.
    // One that could not be posted (a full message queue) is posted with the next answer.
    if (!told) {
        try {
            told = wake();
        } catch (...) {
        }
    }
    return true;
}

PictureWorker::PictureWorker(PictureReaderApi& reader, std::function<bool()> wake,
                             std::chrono::milliseconds stopLimit)
    : state_(std::make_shared<State>(reader, std::move(wake))), stopLimit_(stopLimit) {}

PictureWorker::~PictureWorker() {
    Stop();
}

bool PictureWorker::Submit(PictureTicket ticket, const PictureSource& source, bool urgent) {
    {
        const std::lock_guard<std::mutex> lock(state_->mutex);
        if (state_->stopped)
            return false;
        // Urgent jobs go after the urgent ones already waiting, before all the others.
        auto& jobs = state_->jobs;
        auto place = jobs.end();
        if (urgent)
            place = std::find_if(jobs.begin(), jobs.end(), [](const Job& j) { return !j.urgent; });
        jobs.insert(place, Job{ticket, source, urgent});
    }
    state_->changed.notify_all();
    if (thread_.joinable())
        return true;
    try {
        thread_ = std::thread([state = state_] { state->Run(); });
        joined_ = false;
        return true;
    } catch (...) {
        // No thread to be had: the rows keep the pictures of their kinds.
        const std::lock_guard<std::mutex> lock(state_->mutex);
        state_->stopped = true;
        state_->jobs.clear();
        return false;
    }
}

std::vector<PictureAnswer> PictureWorker::TakeAnswers() {
    std::vector<PictureAnswer> answers;
    const std::lock_guard<std::mutex> lock(state_->mutex);
    answers.swap(state_->answers);
    state_->told = false;
    return answers;
}

void PictureWorker::Stop() {
    {
        const std::lock_guard<std::mutex> lock(state_->mutex);
        state_->stopped = true;
        state_->jobs.clear();
        state_->answers.clear();
    }
    state_->changed.notify_all();
    if (!thread_.joinable())
        return;
    std::unique_lock<std::mutex> lock(state_->mutex);
    const bool ended =
        state_->changed.wait_for(lock, stopLimit_, [this] { return state_->ended; });
    lock.unlock();
    if (ended) {
        thread_.join();
        joined_ = true;
    } else {
        thread_.detach(); // inside the shell: it finds itself stopped and ends on its own
    }
}

} // namespace vantrel
