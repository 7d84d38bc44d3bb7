#include "platform/WindowsPaths.h"

#include <algorithm>

namespace vantrel {

namespace {
constexpr std::size_t DirectoryBufferChars = 280; // what GetWindowsDirectoryA is given

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

// File names compare without regard to ASCII case, and either slash separates.
char Folded(char c) {
    if (c == '/')
        return '\\';
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameInPath(char a, char b) {
    return Folded(a) == Folded(b);
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

std::string ThroughSysnative(const std::string& path, const std::string& systemDirectory) {
    const std::size_t length = systemDirectory.size();
    const std::size_t parent = systemDirectory.find_last_of('\\');
    if (parent == std::string::npos || path.size() <= length + 1 || Folded(path[length]) != '\\' ||
        !std::equal(systemDirectory.begin(), systemDirectory.end(), path.begin(), SameInPath))
        return path;
    return systemDirectory.substr(0, parent) + "\\Sysnative" + path.substr(length);
}

} // namespace vantrel
