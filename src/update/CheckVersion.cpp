#include "update/CheckVersion.h"

#include "update/VersionNumber.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <utility>

namespace vantrel {

const char* const VersionCheckAgent = "Halcyra";

namespace {
constexpr std::uint32_t OpenTypePreconfig = 0; // INTERNET_OPEN_TYPE_PRECONFIG
constexpr std::uint32_t OptionConnectTimeout = 2;
constexpr std::uint32_t OptionConnectRetries = 3;
constexpr std::uint32_t OptionSendTimeout = 5;
constexpr std::uint32_t OptionReceiveTimeout = 6;
constexpr std::uint32_t ConnectRetries = 3;
constexpr std::uint32_t TimeoutMs = 30000;
// INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_KEEP_CONNECTION |
// INTERNET_FLAG_PRAGMA_NOCACHE: always ask the server, never keep a stale copy.
constexpr std::uint32_t UrlFlags = 0x84400100;
constexpr std::uint32_t ReadLimit = 100;
constexpr std::size_t LongestText = 99; // a file that fills the whole read may go on
constexpr std::uint32_t HttpOk = 200;

// Closes a WinINet handle on every path out of the scope that opened it.
class HandleCloser {
  public:
    HandleCloser(InternetApi& internet, InternetHandle handle)
        : internet_(internet), handle_(handle) {}
    HandleCloser(const HandleCloser&) = delete;
    HandleCloser& operator=(const HandleCloser&) = delete;
    ~HandleCloser() {
        try {
            internet_.Close(handle_);
        } catch (...) {
        }
    }

  private:
    InternetApi& internet_;
    InternetHandle handle_;
};

std::int32_t ReadVersion(InternetApi& internet, InternetHandle file) {
    // WinINet opens an error page like any other, and its body may well be a number (a
    // server that answers 404 with "404"): only the file itself is read (issue 18).
    if (internet.StatusCode(file) != HttpOk)
        return 0;
    const std::optional<std::string> bytes = internet.Read(file, ReadLimit);
    if (!bytes || bytes->empty() || bytes->size() > LongestText)
        return 0;
    return ParseVersionText(*bytes).value_or(0);
}
} // namespace

std::int32_t FetchVersionNumber(InternetApi& internet, const std::string& url) {
    std::int32_t result = 0;
    try {
        const InternetHandle session = internet.Open(VersionCheckAgent, OpenTypePreconfig, 0);
        if (!session)
            return 0;
        const HandleCloser closeSession(internet, session);
        internet.SetOption(session, OptionConnectRetries, ConnectRetries);
        internet.SetOption(session, OptionConnectTimeout, TimeoutMs);
        internet.SetOption(session, OptionReceiveTimeout, TimeoutMs);
        internet.SetOption(session, OptionSendTimeout, TimeoutMs);
        const InternetHandle file = internet.OpenUrl(session, url, UrlFlags);
        if (file) {
            const HandleCloser closeFile(internet, file);
            result = ReadVersion(internet, file);
        }
    } catch (...) {
        // Whatever failed, the check reports that no number was obtained.
    }
    return result;
}

// Everything the worker uses besides the internet interface. Owned jointly by the check
// and its worker, so a worker left behind never reaches freed memory.
struct CheckVersion::State {
    State(InternetApi& internetApi, std::string address, Notices callbacks)
        : internet(internetApi), url(std::move(address)), notices(std::move(callbacks)) {}

    void Execute();
    // Worker thread: runs the call on the user-interface thread and returns after it.
    void Synchronize(const std::function<void()>& call);
    void RunPendingNotice();

    InternetApi& internet;
    const std::string url;
    const Notices notices;
    std::atomic<bool> terminated{false};
    std::atomic<std::int32_t> result{0};

    std::mutex mutex;
    std::condition_variable changed;
    const std::function<void()>* pending = nullptr; // the notice waiting to run
    bool pendingDone = false;
    bool ended = false; // the worker's body has returned
};

void CheckVersion::State::Execute() {
    result = 0;
    try {
        const std::function<void()> start = [this] {
            if (!terminated)
                notices.started();
        };
        const std::function<void()> end = [this] {
            if (!terminated)
                notices.ended(result);
        };
        if (!terminated)
            Synchronize(start);
        result = FetchVersionNumber(internet, url);
        if (!terminated)
            Synchronize(end);
    } catch (...) {
        // An exception must not leave the thread: that would end the process.
    }
    const std::lock_guard<std::mutex> lock(mutex);
    ended = true;
    changed.notify_all();
}

void CheckVersion::State::Synchronize(const std::function<void()>& call) {
    {
        const std::lock_guard<std::mutex> lock(mutex);
        pending = &call;
        pendingDone = false;
        changed.notify_all(); // a user-interface thread waiting for this worker serves it
    }
    try {
        // Once terminated, only the waiting user-interface thread serves the notice; a
        // worker left behind then never reaches the form's objects.
        if (!terminated)
            notices.wakeUserInterface();
    } catch (...) {
        // Then the notice runs when the user-interface thread waits for this worker.
    }
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [this] { return pendingDone; });
}

void CheckVersion::State::RunPendingNotice() {
    const std::function<void()>* call = nullptr;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        call = std::exchange(pending, nullptr);
    }
    if (!call)
        return;
    try {
        (*call)();
    } catch (...) {
        // A failed notice must still release the worker.
    }
    const std::lock_guard<std::mutex> lock(mutex);
    pendingDone = true;
    changed.notify_all();
}

CheckVersion::CheckVersion(InternetApi& internet, std::string url, Notices notices,
                           std::chrono::milliseconds stopLimit)
    : state_(std::make_shared<State>(internet, std::move(url), std::move(notices))),
      stopLimit_(stopLimit), thread_([state = state_] { state->Execute(); }) {}

CheckVersion::~CheckVersion() {
    Terminate();
    WaitFor(stopLimit_);
}

void CheckVersion::Terminate() {
    state_->terminated = true;
}

bool CheckVersion::Terminated() const {
    return state_->terminated;
}

void CheckVersion::RunPendingNotice() {
    state_->RunPendingNotice();
}

std::int32_t CheckVersion::Result() const {
    return state_->result;
}

bool CheckVersion::WaitFor(std::chrono::milliseconds limit) {
    if (!thread_.joinable()) { // already joined, or left behind by an earlier wait
        const std::lock_guard<std::mutex> lock(state_->mutex);
        return state_->ended;
    }
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        std::unique_lock<std::mutex> lock(state_->mutex);
        if (!state_->changed.wait_until(
                lock, deadline, [this] { return state_->pending != nullptr || state_->ended; })) {
            lock.unlock();
            if (Terminated())
                thread_.detach(); // stuck inside WinINet: it ends with the process
            return false;
        }
        if (!state_->pending)
            break;
        lock.unlock();
        state_->RunPendingNotice();
    }
    thread_.join();
    return true;
}

} // namespace vantrel
