#include "platform/WindowsPaths.h"

namespace vantrel {

namespace {
constexpr std::size_t DirectoryBufferChars = 280; // what GetWindowsDirectoryA is given

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

// Replaces the token of tokenLength characters with the first keptChars characters of the
// Windows directory, when the system reports one of at least minimumLength characters that
// fitted the buffer.
std::string ReplaceToken(const std::string& text, std::size_t tokenLength,
                         std::size_t minimumLength, std::size_t keptChars,
                         ProcessApi& process) {
    const std::string windows = process.WindowsDirectory();
    if (windows.size() < minimumLength || windows.size() > DirectoryBufferChars)
        return text;
    return windows.substr(0, keptChars) + text.substr(tokenLength);
}

} // namespace

std::string UsableWindowsDirectory(ProcessApi& process) {
    std::string directory = process.WindowsDirectory();
    if (directory.empty() || directory.size() > DirectoryBufferChars)
        return {};
    return directory;
}

std::string ExpandSystemPrefix(const std::string& target, std::size_t driveLength,
                               ProcessApi& process) {
    std::string text = target;
    if (text.empty() || text[0] != '%')
        return text;
    // Each step looks at the result of the one before; after one replacement the text no
    // longer begins with '%', so at most one token is replaced.
    if (StartsWith(text, "%systemroot%") || StartsWith(text, "%SystemRoot%"))
        text = ReplaceToken(text, 12, 1, std::string::npos, process);
    if (StartsWith(text, "%windir%") || StartsWith(text, "%WinDir%"))
        text = ReplaceToken(text, 8, 1, std::string::npos, process);
    if (StartsWith(text, "%SystemDrive%") || StartsWith(text, "%systemdrive%"))
        text = ReplaceToken(text, 13, driveLength + 1, driveLength, process);
    return text;
}

} // namespace vantrel
