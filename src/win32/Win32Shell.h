#pragma once
// The shell's launch and administrator check (shell32).

#include "platform/ShellApi.h"

namespace vantrel::win32 {

class Win32Shell final : public ShellApi {
public:
    std::intptr_t Execute(const ShellLaunch& launch) override;
    bool IsUserAnAdmin() override;
};

} // namespace vantrel::win32
