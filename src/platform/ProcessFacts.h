#pragma once
// Facts about the process probed at start-up, and the file-system redirection bracket
// built on them.

#include "platform/ProcessApi.h"

#include <cstdint>

namespace vantrel {

struct ProcessFacts {
    bool isWow64 = false;
    bool hasDisableRedirection = false;
    bool hasRevertRedirection = false;
    RedirectionCookie redirectionCookie = 0;
    std::uint32_t osMajorVersion = 0;
    bool startupComplete = false;
};

// Probes WOW64 and the two redirection entry points; the lookups do not depend on each other.
void ProbeProcessFacts(ProcessFacts& facts, ProcessApi& process);

// Under WOW64 the system directory a 32-bit process sees is SysWOW64; these two steps let
// work reach the real System32. Brackets never nest. Outside WOW64 both do nothing.
void SuspendRedirection(ProcessFacts& facts, ProcessApi& process);
void RestoreRedirection(ProcessFacts& facts, ProcessApi& process);

// Runs work between SuspendRedirection and RestoreRedirection; the restore also happens
// when the work throws.
template <typename Work>
void WithRedirectionSuspended(ProcessFacts& facts, ProcessApi& process, Work&& work) {
    SuspendRedirection(facts, process);
    try {
        work();
    } catch (...) {
        RestoreRedirection(facts, process);
        throw;
    }
    RestoreRedirection(facts, process);
}

} // namespace vantrel
