#pragma once
// The one thread that reads the rows' pictures, over the blocking reader of the platform. It
// starts with the first request, so start-up makes no thread at all (under Wine a thread
// costs a megabyte of resident memory).

#include "platform/PictureApi.h"

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

namespace vantrel {

// How long Stop waits for a read in progress. Exit, the end of the session and the power
// operations must not hang on a shell extension that takes its time.
constexpr std::chrono::milliseconds PictureStopLimit{250};

class PictureWorker final : public PicturesApi {
  public:
    // The reader must outlive the process's last thread: a read still running at Stop is left
    // behind and may use it later. `wake` is called on the reading thread, under the worker's
    // lock and never after Stop: it must only post the message and say whether it was queued.
    PictureWorker(PictureReaderApi& reader, std::function<bool()> wake,
                  std::chrono::milliseconds stopLimit = PictureStopLimit);
    ~PictureWorker() override;
    PictureWorker(const PictureWorker&) = delete;
    PictureWorker& operator=(const PictureWorker&) = delete;

    bool Submit(PictureTicket ticket, const PictureSource& source, bool urgent) override;
    std::vector<PictureAnswer> TakeAnswers() override;
    void Stop() override;

    // False when the last Stop had to leave a read behind.
    bool Joined() const { return joined_; }

  private:
    struct State; // shared with the thread, which may outlive this object
    std::shared_ptr<State> state_;
    std::chrono::milliseconds stopLimit_;
    std::thread thread_;
    bool joined_ = true;
};

} // namespace vantrel
