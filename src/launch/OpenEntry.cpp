#include "launch/OpenEntry.h"

#include "launch/CommandLine.h"

namespace vantrel {

namespace {
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
