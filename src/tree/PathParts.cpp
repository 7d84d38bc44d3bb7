#include "tree/PathParts.h"

namespace vantrel {

namespace {
std::string::size_type NameStart(const std::string& path) {
    const auto separator = path.find_last_of("\\:");
    return separator == std::string::npos ? 0 : separator + 1;
}
} // namespace

std::string NamePart(const std::string& path) { return path.substr(NameStart(path)); }

std::string DirectoryPart(const std::string& path) {
    std::string directory = path.substr(0, NameStart(path));
    if (directory.empty() || directory.back() != '\\')
        return directory;
    if (directory.size() == 1)
        return directory;
    const char before = directory[directory.size() - 2];
    if (before == ':' || before == '\\')
        return directory;
    directory.pop_back();
    return directory;
}

} // namespace vantrel
