#pragma once

#include "platform/ProcessApi.h"

namespace vantrel::win32 {

class Win32Process : public ProcessApi {
public:
    Win32Process();
    bool InitializeCom() override;
    void UninitializeCom() override;
    bool QueryIsWow64() override;
    bool HasDisableRedirection() override { return disable_ != nullptr; }
    bool HasRevertRedirection() override { return revert_ != nullptr; }
    void DisableRedirection(RedirectionCookie* cookie) override;
    void RevertRedirection(RedirectionCookie cookie) override;
    std::uint32_t GetVersion() override;
    std::string WindowsDirectory() override;
    std::string ModuleFileName() override;
    void Sleep(unsigned milliseconds) override;

private:
    using DisableFn = int(__stdcall*)(void**);
    using RevertFn = int(__stdcall*)(void*);
    DisableFn disable_ = nullptr;
    RevertFn revert_ = nullptr;
};

} // namespace vantrel::win32
