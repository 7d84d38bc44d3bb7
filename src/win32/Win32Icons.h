#pragma once

#include "platform/IconApi.h"
#include "win32/WinHeaders.h"

#include <cstdint>
#include <vector>

namespace vantrel::win32 {

// The 16 x 16 pixels and mask of an icon, scaled to 16 x 16 when it has another size; the
// icon stays the caller's.
std::optional<RawIcon> ReadIconPixels(HICON icon);
// The colour pixels (blue, green, red, alpha; rows bottom-up) of a side x side 32-bit icon;
// empty for any other icon. The icon stays the caller's.
std::vector<std::uint8_t> ReadIconColour(HICON icon, int side);

class Win32Icons : public IconApi {
public:
    std::optional<RawIcon> SmallIconOfPath(const std::string& path,
                                           TextEncoding encoding) override;
    std::optional<RawIcon> SmallIconOfIdList(const void* idList) override;
};

} // namespace vantrel::win32
