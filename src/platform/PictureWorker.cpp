#include "platform/PictureWorker.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <iterator>
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
    // Under the lock: posts the message for the answers waiting, unless one is on its way.
    void Tell();
    // Reading thread, last: nothing more is read, and later requests are refused.
    void End() noexcept;

    PictureReaderApi& reader;
    const std::function<bool()> wake;

    std::mutex mutex;
    std::condition_variable changed;
    std::deque<Job> jobs; // urgent ones in front
    // Submit makes room here for every answer owed: handing one over never needs memory on
    // the reading thread, where running out of it would end reading.
    std::vector<PictureAnswer> answers;
    bool reading = false; // a job is off the queue and its answer not handed over yet
    bool told = false;    // a message about the answers waiting is on its way
    bool stopped = false;
    bool ended = false; // the thread has finished with the reader
};

void PictureWorker::State::Run() noexcept {
    bool begun = false;
    try {
        while (std::optional<Job> job = NextJob()) {
            if (!begun) {
                begun = true;
                reader.BeginThread();
            }
            std::optional<RawIcon> icon;
            try {
                icon = reader.Read(job->source, job->urgent);
            } catch (...) {
                // A failed read is an answer without a picture.
            }
            if (!Deliver({job->ticket, std::move(icon)}))
                break;
        }
    } catch (...) {
        // Nothing may leave a thread: that would end the process. Reading ends here.
    }
    try {
        if (begun)
            reader.EndThread();
    } catch (...) {
    }
    End();
}

std::optional<Job> PictureWorker::State::NextJob() {
    std::unique_lock<std::mutex> lock(mutex);
    while (!stopped && jobs.empty()) {
        if (told || answers.empty())
            changed.wait(lock);
        else if (changed.wait_for(lock, PictureWakeRetry) == std::cv_status::timeout)
            Tell();
    }
    if (stopped)
        return std::nullopt;
    Job job = std::move(jobs.front());
    jobs.pop_front();
    reading = true;
    return job;
}

bool PictureWorker::State::Deliver(PictureAnswer answer) {
    const std::lock_guard<std::mutex> lock(mutex);
    reading = false;
    if (stopped)
        return false;
    answers.push_back(std::move(answer)); // into the room Submit made
    Tell();
    return true;
}

// One message for all the answers waiting: the user-interface thread takes them together.
// One that could not be posted (a full message queue) is posted again while they wait.
void PictureWorker::State::Tell() {
    if (told || answers.empty())
        return;
    try {
        told = wake();
    } catch (...) {
    }
}

void PictureWorker::State::End() noexcept {
    try {
        const std::lock_guard<std::mutex> lock(mutex);
        stopped = true;
        jobs.clear();
        ended = true;
    } catch (...) {
    }
    changed.notify_all();
}

PictureWorker::PictureWorker(PictureReaderApi& reader, std::function<bool()> wake,
                             ThreadStarter start, std::chrono::milliseconds stopLimit)
    : state_(std::make_shared<State>(reader, std::move(wake))), start_(std::move(start)),
      stopLimit_(stopLimit) {}

PictureWorker::~PictureWorker() {
    Stop();
}

bool PictureWorker::Submit(PictureTicket ticket, const PictureSource& source, bool urgent) {
    {
        const std::lock_guard<std::mutex> lock(state_->mutex);
        if (state_->stopped)
            return false;
        auto& jobs = state_->jobs;
        try {
            state_->answers.reserve(state_->answers.size() + jobs.size() +
                                    (state_->reading ? 1 : 0) + 1);
            // Urgent jobs go after the urgent ones already waiting, before all the others.
            auto place = jobs.end();
            if (urgent)
                place =
                    std::find_if(jobs.begin(), jobs.end(), [](const Job& j) { return !j.urgent; });
            jobs.insert(place, Job{ticket, source, urgent});
        } catch (...) {
            return false; // no memory for it: the row keeps the picture of its kind
        }
    }
    state_->changed.notify_all();
    if (started_)
        return true;
    try {
        started_ = start_([state = state_] { state->Run(); });
    } catch (...) {
    }
    finished_ = !started_;
    if (started_)
        return true;
    // No thread to be had: the rows keep the pictures of their kinds.
    const std::lock_guard<std::mutex> lock(state_->mutex);
    state_->stopped = true;
    state_->jobs.clear();
    return false;
}

std::vector<PictureAnswer> PictureWorker::TakeAnswers() {
    const std::lock_guard<std::mutex> lock(state_->mutex);
    auto& answers = state_->answers;
    // Should there be no memory to take them now, the thread tells again and they are taken
    // then.
    state_->told = false;
    state_->changed.notify_all();
    std::vector<PictureAnswer> taken(std::make_move_iterator(answers.begin()),
                                     std::make_move_iterator(answers.end()));
    answers.clear(); // keeps the room for the answers still owed
    return taken;
}

void PictureWorker::Stop() {
    {
        const std::lock_guard<std::mutex> lock(state_->mutex);
        state_->stopped = true;
        state_->jobs.clear();
        state_->answers.clear();
    }
    state_->changed.notify_all();
    if (!started_)
        return;
    started_ = false; // waited for once: a read stuck in the shell is not waited for again
    // A read still inside the shell finds itself stopped when it comes back and ends on its
    // own: the thread is nobody's to join.
    std::unique_lock<std::mutex> lock(state_->mutex);
    finished_ = state_->changed.wait_for(lock, stopLimit_, [this] { return state_->ended; });
}

} // namespace vantrel
