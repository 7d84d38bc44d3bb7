#pragma once
// Recording stand-in for posting to the main form, and the test's message queue: a test
// takes the posted messages out in order and hands them to the form, as the real message
// loop would. Posts come from any thread; only those made on the thread that created the
// fake (the test's user-interface thread) are written to the call log, so the worker
// thread never writes to the log while the test reads it.

#include "platform/MessageApi.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace vantrel::testing {

struct CallLog;

struct PostedMessage {
    std::uint32_t message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};

class FakeMessages : public MessageApi {
  public:
    explicit FakeMessages(CallLog& log) : log_(log) {}
    int refusals = 0; // the next posts are not queued, as with a full message queue

    bool PostToMainForm(std::uint32_t message, std::uintptr_t wParam,
                        std::intptr_t lParam) override;
    // The oldest message not yet taken; waits for one up to the time-out.
    std::optional<PostedMessage> Next(std::chrono::milliseconds timeout);
    // Every message ever posted, in order.
    std::vector<PostedMessage> History();

  private:
    CallLog& log_;
    const std::thread::id owner_ = std::this_thread::get_id();
    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<PostedMessage> queue_;
    std::vector<PostedMessage> history_;
};

} // namespace vantrel::testing
