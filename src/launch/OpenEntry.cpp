#include "launch/OpenEntry.h"

#include "launch/CommandLine.h"

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

ShellLaunch OpenWithoutArguments(const std::string& file) {
    return {VerbOpen, file, std::string(), std::string(), ShowNormal};
}

std::optional<EntryLaunch> PlanCommandLine(const LinkEntry& entry, Platform& platform) {
    if (entry.entryType != EntryTypeItem)
        return std::nullopt;
    CommandLineParts parts = SplitCommandLine(entry.target);
    if (parts.program.empty())
        return std::nullopt;
    // A command line has no working directory of its own: null lets the shell use ours.
    ShellLaunch call{LaunchVerb(entry.runAsAdmin, platform.shell), std::move(parts.program),
                     std::move(parts.parameters), std::nullopt, ShowNormal};
    const bool bracketed = call.verb == VerbOpen;
    return EntryLaunch{std::move(call), bracketed};
}

std::optional<EntryLaunch> PlanApplication(const LinkEntry& entry, Platform& platform) {
    ShellLaunch call{LaunchVerb(entry.runAsAdmin, platform.shell),
                     ExpandSystemPrefix(entry.target, ApplicationDriveLength, platform.process),
                     entry.parameters, entry.workDir, ShowNormal};
    const bool bracketed = call.verb == VerbOpen;
    return EntryLaunch{std::move(call), bracketed};
}
} // namespace

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

std::optional<EntryLaunch> PlanEntryLaunch(const LinkEntry& entry, Platform& platform) {
    if (entry.kind == LinkKindRun)
        return PlanCommandLine(entry, platform);
    if (entry.target.empty())
        return std::nullopt;
    switch (entry.kind) {
    case LinkKindApplication: return PlanApplication(entry, platform);
    case LinkKindNetwork:
    case LinkKindInternet: return EntryLaunch{OpenWithoutArguments(entry.target), false};
    case LinkKindFile:
        return EntryLaunch{OpenWithoutArguments(ExpandSystemPrefix(
                               entry.target, FileDriveLength, platform.process)),
                           true};
    default: return std::nullopt;
    }
}

void OpenEntry(const LinkEntry& entry, Platform& platform, ProcessFacts& facts) {
    const std::optional<EntryLaunch> launch = PlanEntryLaunch(entry, platform);
    if (!launch)
        return;
    // Redirection is switched off so that a path into System32 reaches the real one on
    // 64-bit Windows. An elevated start is carried out by the system's consent service
    // rather than in this thread, so "runas" leaves redirection alone.
    if (launch->bracketed)
        WithRedirectionSuspended(facts, platform.process,
                                 [&] { platform.shell.Execute(launch->call); });
    else
        platform.shell.Execute(launch->call);
}

} // namespace vantrel
