#pragma once
// The shell's small icons, delivered as raw 16 x 16 bitmaps so that the conversion to an
// entry's pixels is portable and testable.

#include "platform/CodePageApi.h"
#include "tree/LinkEntry.h"

#include <optional>
#include <string>

namespace vantrel {

struct RawIcon {
    bool colourRead = false; // the colour bitmap existed, was 16 x 16 and was read
    IconPixels colour{};
    bool maskRead = false;   // the same for the mask bitmap
    IconPixels mask{};
};

class IconApi {
public:
    virtual ~IconApi() = default;
    // The shell's small icon of an existing file or folder; empty when the shell has none.
    virtual std::optional<RawIcon> SmallIconOfPath(const std::string& path,
                                                   TextEncoding encoding) = 0;
    // The same for an absolute item identifier list, passed as the opaque value the
    // platform handed out (see ShellApi).
    virtual std::optional<RawIcon> SmallIconOfIdList(const void* idList) = 0;
};

} // namespace vantrel
