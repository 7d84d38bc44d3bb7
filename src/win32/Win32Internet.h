#pragma once
// WinINet, loaded on first use from System32 and kept for the rest of the run (it is not
// imported: WinINet is not a known DLL, so an import could be taken from the program's
// folder). There is one instance for the process, never destroyed: a version-check worker
// stuck inside WinINet may outlive everything else and still use it.

#include "platform/InternetApi.h"

#include <memory>
#include <mutex>

namespace vantrel::win32 {

class Win32Internet final : public InternetApi {
public:
    static Win32Internet& ForProcess();

    InternetHandle Open(const std::string& agent, std::uint32_t accessType,
                        std::uint32_t flags) override;
    bool SetOption(InternetHandle handle, std::uint32_t option, std::uint32_t value) override;
    InternetHandle OpenUrl(InternetHandle session, const std::string& url,
                           std::uint32_t flags) override;
    std::optional<std::uint32_t> StatusCode(InternetHandle file) override;
    std::optional<std::string> Read(InternetHandle file, std::uint32_t maxBytes) override;
    void Close(InternetHandle handle) override;

private:
    Win32Internet() = default;
    ~Win32Internet() override = default;
    struct Functions;
    const Functions* Load();

    std::once_flag loadOnce_;
    std::unique_ptr<Functions> functions_; // null when WinINet or an entry point is missing
};

} // namespace vantrel::win32
