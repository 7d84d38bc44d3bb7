#pragma once
// The shell's icons, delivered as raw square bitmaps so that the conversion to an entry's
// pixels is portable and testable.

#include "platform/CodePageApi.h"
#include "tree/LinkEntry.h"

#include <optional>
#include <string>

namespace vantrel {

struct RawIcon {
    bool colourRead = false; // the colour bitmap existed, was square and was read
    IconPixels colour{};
    bool maskRead = false;   // the same for the mask bitmap
    IconPixels mask{};
};

class IconApi {
public:
    virtual ~IconApi() = default;
    // The shell's icon of an existing file or folder for a picture of side x side pixels:
    // the icon of that size, or the nearest larger one the shell has (else its largest), as
    // it is; the caller fits it. Empty when the shell has none.
    virtual std::optional<RawIcon> SmallIconOfPath(const std::string& path,
                                                   TextEncoding encoding, int side) = 0;
    // The same for an absolute item identifier list, passed as the opaque value the
    // platform handed out (see ShellApi).
    virtual std::optional<RawIcon> SmallIconOfIdList(const void* idList, int side) = 0;
};

} // namespace vantrel
