#pragma once

#include "platform/IconApi.h"
#include "win32/WinHeaders.h"

#include <cstdint>
#include <vector>

namespace vantrel::win32 {

// The pixels and mask of a square icon at its own size; the icon stays the caller's.
std::optional<RawIcon> ReadIconPixels(HICON icon);
// The colour pixels (blue, green, red, alpha; rows bottom-up) of a side x side 32-bit icon;
// empty for any other icon. The icon stays the caller's.
std::vector<std::uint8_t> ReadIconColour(HICON icon, int side);

class Win32Icons : public IconApi {
public:
    std::optional<RawIcon> SmallIconOfPath(const std::string& path, TextEncoding encoding,
                                           int side) override;
    std::optional<RawIcon> SmallIconOfIdList(const void* idList, int side) override;
};

} // namespace vantrel::win32
