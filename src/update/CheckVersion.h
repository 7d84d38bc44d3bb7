#pragma once
// The version-check worker: a thread that fetches the vendor's version file and reports
// the number it holds. It never touches the user interface itself: its start and end
// notices run on the user-interface thread while the worker waits, and the end notice is
// where the form posts the result message to itself.

#include "platform/InternetApi.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace vantrel {

// WM_USER + 10: the result, posted to the main form with wParam 0 and the number as lParam.
constexpr std::uint32_t VersionResultMessage = 0x040A;
// WM_USER + 11: the worker waits for a notice to run on the user-interface thread.
constexpr std::uint32_t VersionNoticeMessage = 0x040B;

// How long stopping a check waits for its worker: WinINet's longest single time-out. A
// worker still inside WinINet after that is stuck there (Wine does not apply the session's
// send and receive time-outs to its requests, so a server that never answers holds it for
// ever); it has been told to terminate, changes nothing any more and is left to end with
// the process, so that Exit never hangs.
constexpr std::chrono::milliseconds WorkerWaitLimit{30000};

extern const char* const VersionCheckAgent; // the user agent, "Halcyra"

// Opens a session, sets retries and time-outs, fetches the file and, when the server
// answered 200, reads it with one read of at most 100 bytes and parses it. 0 for anything
// that went wrong; every handle opened is closed.
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

    // Starts the worker at once. The internet interface must outlive the process's last
    // thread: a stuck worker may still use it after this object is gone.
    CheckVersion(InternetApi& internet, std::string url, Notices notices,
                 std::chrono::milliseconds stopLimit = WorkerWaitLimit);
    // Requests termination and waits for the worker, at most the stop limit.
    ~CheckVersion();
    CheckVersion(const CheckVersion&) = delete;
    CheckVersion& operator=(const CheckVersion&) = delete;

    void Terminate();
    bool Terminated() const;
    // User-interface thread: runs the notice the worker waits for, if any.
    void RunPendingNotice();
    // User-interface thread: waits until the worker has ended, running its notices
    // meanwhile so that a worker waiting for this thread cannot deadlock. False when the
    // limit passed first; a terminated worker is then left behind, and later waits return
    // at once.
    bool WaitFor(std::chrono::milliseconds limit = WorkerWaitLimit);
    // The number fetched; final once WaitFor has returned true.
    std::int32_t Result() const;

  private:
    struct State; // shared with the worker, which may outlive this object
    std::shared_ptr<State> state_;
    const std::chrono::milliseconds stopLimit_;
    std::thread thread_;
};

} // namespace vantrel
