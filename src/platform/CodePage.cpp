#include "platform/CodePageApi.h"

namespace vantrel {

std::optional<std::string> StorablePath(const std::string& utf8Path, CodePageApi& codePage) {
    if (std::optional<std::string> ansi = codePage.Utf8ToAnsi(utf8Path))
        return ansi;
    if (const std::optional<std::string> shortPath = codePage.ShortPathOf(utf8Path))
        return codePage.Utf8ToAnsi(*shortPath);
    return std::nullopt;
}

} // namespace vantrel
