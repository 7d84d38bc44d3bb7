#include "update/CheckVersion.h"

#include "update/VersionNumber.h"

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

CheckVersion::CheckVersion(InternetApi& internet, std::string url, Notices notices)
    : internet_(internet), url_(std::move(url)), notices_(std::move(notices)),
      thread_(&CheckVersion::Execute, this) {}

CheckVersion::~CheckVersion() {
    Terminate();
    WaitFor();
}

void CheckVersion::Execute() {
    result_ = 0;
    try {
        const std::function<void()> start = [this] {
            if (!Terminated())
                notices_.started();
        };
        const std::function<void()> end = [this] {
            if (!Terminated())
                notices_.ended(result_);
        };
        if (!Terminated())
            Synchronize(start);
        result_ = FetchVersionNumber(internet_, url_);
        if (!Terminated())
            Synchronize(end);
    } catch (...) {
        // An exception must not leave the thread: that would end the process.
    }
    const std::lock_guard<std::mutex> lock(mutex_);
    ended_ = true;
    changed_.notify_all();
}

void CheckVersion::Synchronize(const std::function<void()>& call) {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        pending_ = &call;
        pendingDone_ = false;
        changed_.notify_all(); // a user-interface thread waiting for this worker serves it
    }
    try {
        notices_.wakeUserInterface();
    } catch (...) {
        // Then the notice runs when the user-interface thread waits for this worker.
    }
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return pendingDone_; });
}

void CheckVersion::RunPendingNotice() {
    const std::function<void()>* call = nullptr;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        call = std::exchange(pending_, nullptr);
    }
    if (!call)
        return;
    try {
        (*call)();
    } catch (...) {
        // A failed notice must still release the worker.
    }
    const std::lock_guard<std::mutex> lock(mutex_);
    pendingDone_ = true;
    changed_.notify_all();
}

void CheckVersion::WaitFor() {
    for (;;) {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return pending_ != nullptr || ended_; });
        if (!pending_)
            break;
        lock.unlock();
        RunPendingNotice();
    }
    if (thread_.joinable())
        thread_.join();
}

} // namespace vantrel
