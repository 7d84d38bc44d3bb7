#pragma once
// Kernel-side facts and services of the running process.

#include <cstdint>
#include <string>

namespace vantrel {

using RedirectionCookie = std::uintptr_t;

class ProcessApi {
public:
    virtual ~ProcessApi() = default;

    virtual bool InitializeCom() = 0; // single-threaded apartment
    virtual void UninitializeCom() = 0;

    // True only when kernel32 is loaded, exports IsWow64Process, the call succeeds and it
    // reports that this 32-bit process runs on 64-bit Windows.
    virtual bool QueryIsWow64() = 0;
    // Whether kernel32 exports each of the two file-system redirection entry points.
    virtual bool HasDisableRedirection() = 0;
    virtual bool HasRevertRedirection() = 0;
    virtual void DisableRedirection(RedirectionCookie* cookie) = 0;
    virtual void RevertRedirection(RedirectionCookie cookie) = 0;

    virtual std::uint32_t GetVersion() = 0;
    // The Windows directory as the system reports it; empty on failure.
    virtual std::string WindowsDirectory() = 0;
    // Full path of the running program file, in UTF-8: it lies in the user's own folders.
    virtual std::string ModuleFileName() = 0;
    virtual void Sleep(unsigned milliseconds) = 0;
};

} // namespace vantrel
