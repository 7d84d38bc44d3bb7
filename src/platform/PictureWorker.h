#pragma once
// The one thread that reads the rows' pictures, over the blocking reader of the platform. It
// starts with the first request, so start-up makes no thread at all (under Wine a thread
// costs a megabyte of resident memory).

#include "platform/PictureApi.h"

#include <chrono>
#include <functional>
#include <memory>

namespace vantrel {

// How long Stop waits for a read in progress. Exit, the end of the session and the power
// operations must not hang on a shell extension that takes its time.
constexpr std::chrono::milliseconds PictureStopLimit{250};
// How often the reading thread posts its message again while answers wait that no message
// announced (the window's message queue was full).
constexpr std::chrono::milliseconds PictureWakeRetry{200};

// Runs work on a thread of its own that nobody joins, and says whether one could be had.
using ThreadStarter = std::function<bool(std::function<void()>)>;

class PictureWorker final : public PicturesApi {
  public:
    // The reader must outlive the process's last thread: a read still running at Stop is left
    // behind and may use it later. `wake` is called on the reading thread, under the worker's
    // lock and never after Stop: it must only post the message and say whether it was queued.
    PictureWorker(PictureReaderApi& reader, std::function<bool()> wake, ThreadStarter start,
                  std::chrono::milliseconds stopLimit = PictureStopLimit);
    ~PictureWorker() override;
    PictureWorker(const PictureWorker&) = delete;
    PictureWorker& operator=(const PictureWorker&) = delete;

    bool Submit(PictureTicket ticket, const PictureSource& source, bool urgent) override;
    std::vector<PictureAnswer> TakeAnswers() override;
    void Stop() override;

    // False when the last Stop had to leave a read behind.
    bool Finished() const { return finished_; }

  private:
    struct State; // shared with the thread, which may outlive this object
    std::shared_ptr<State> state_;
    ThreadStarter start_;
    std::chrono::milliseconds stopLimit_;
    bool started_ = false;
    bool finished_ = true;
};

} // namespace vantrel
