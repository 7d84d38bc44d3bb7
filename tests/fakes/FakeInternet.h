#pragma once
// Recording stand-in for WinINet, serving one version file. It is called from the
// version-check worker thread: tests read the log only once the worker waits for the
// user-interface thread or has ended.

#include "platform/InternetApi.h"

#include <functional>
#include <optional>
#include <string>

namespace vantrel::testing {

struct CallLog;

class FakeInternet : public InternetApi {
  public:
    explicit FakeInternet(CallLog& log) : log_(log) {}
    static constexpr InternetHandle Session = 0x100;
    static constexpr InternetHandle File = 0x200;

    bool openFails = false;
    bool openUrlFails = false;
    // The file's content; a read returns at most the bytes asked for. Empty: the read fails.
    std::optional<std::string> content = std::string("100");
    bool readThrows = false;
    // The answer's status code; nothing: it cannot be queried.
    std::optional<std::uint32_t> status = 200;
    // Runs inside OpenUrl on the worker thread, before it answers: lets a test hold the
    // worker while it does something on the user-interface side.
    std::function<void()> duringOpenUrl;

    InternetHandle Open(const std::string& agent, std::uint32_t accessType,
                        std::uint32_t flags) override;
    bool SetOption(InternetHandle handle, std::uint32_t option, std::uint32_t value) override;
    InternetHandle OpenUrl(InternetHandle session, const std::string& url,
                           std::uint32_t flags) override;
    std::optional<std::uint32_t> StatusCode(InternetHandle file) override;
    std::optional<std::string> Read(InternetHandle file, std::uint32_t maxBytes) override;
    void Close(InternetHandle handle) override;

  private:
    CallLog& log_;
};

} // namespace vantrel::testing
