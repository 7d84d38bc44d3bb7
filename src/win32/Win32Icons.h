#pragma once

#include "platform/IconApi.h"

namespace vantrel::win32 {

class Win32Icons : public IconApi {
public:
    std::optional<RawIcon> SmallIconOfPath(const std::string& path) override;
    std::optional<RawIcon> SmallIconOfIdList(const void* idList) override;
};

} // namespace vantrel::win32
