#pragma once
// The version-check worker: a thread that fetches the vendor's version file and reports
// the number it holds. It never touches the user interface itself: its start and end
// notices run on the user-interface thread while the worker waits, and the end notice is
// where the form posts the result message to itself.

#include "platform/InternetApi.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace vantrel {

// WM_USER + 10: the result, posted to the main form with wParam 0 and the number as lParam.
constexpr std::uint32_t VersionResultMessage = 0x040A;
// WM_USER + 11: the worker waits for a notice to run on the user-interface thread.
constexpr std::uint32_t VersionNoticeMessage = 0x040B;

extern const char* const VersionCheckAgent; // the user agent, "Halcyra"

// Opens a session, sets retries and time-outs, fetches the file with one read of at most
// 100 bytes and parses it. 0 for anything that went wrong; every handle opened is closed.
std::int32_t FetchVersionNumber(InternetApi& internet, const std::string& url);

class CheckVersion {
  public:
    struct Notices {
        // Any thread: asks the user-interface thread to call RunPendingNotice soon.
        std::function<void()> wakeUserInterface;
        // User-interface thread, only while no termination was requested.
        std::function<void()> started;
        std::function<void(std::int32_t)> ended;
    };

    // Starts the worker at once.
    CheckVersion(InternetApi& internet, std::string url, Notices notices);
    // Requests termination and waits for the worker.
    ~CheckVersion();
    CheckVersion(const CheckVersion&) = delete;
    CheckVersion& operator=(const CheckVersion&) = delete;

    void Terminate() { terminated_ = true; }
    bool Terminated() const { return terminated_; }
    // User-interface thread: runs the notice the worker waits for, if any.
    void RunPendingNotice();
    // User-interface thread: waits until the worker has ended, running its notices
    // meanwhile, so that a worker waiting for the user-interface thread cannot deadlock.
    void WaitFor();
    // The number fetched; final once WaitFor has returned.
    std::int32_t Result() const { return result_; }

  private:
    void Execute();
    // Worker thread: runs the call on the user-interface thread and returns after it.
    void Synchronize(const std::function<void()>& call);

    InternetApi& internet_;
    const std::string url_;
    const Notices notices_;
    std::atomic<bool> terminated_{false};
    std::atomic<std::int32_t> result_{0};

    std::mutex mutex_;
    std::condition_variable changed_;
    const std::function<void()>* pending_ = nullptr; // the notice waiting to run
    bool pendingDone_ = false;
    bool ended_ = false; // the worker's body has returned

    std::thread thread_; // last: the worker starts once everything above exists
};

} // namespace vantrel
