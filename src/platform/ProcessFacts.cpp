#include "platform/ProcessFacts.h"

namespace vantrel {

void ProbeProcessFacts(ProcessFacts& facts, ProcessApi& process) {
    facts.isWow64 = process.QueryIsWow64();
    facts.hasDisableRedirection = process.HasDisableRedirection();
    facts.hasRevertRedirection = process.HasRevertRedirection();
}

void SuspendRedirection(ProcessFacts& facts, ProcessApi& process) {
    facts.redirectionCookie = 0;
    if (facts.isWow64 && facts.hasDisableRedirection)
        process.DisableRedirection(&facts.redirectionCookie);
}

void RestoreRedirection(ProcessFacts& facts, ProcessApi& process) {
    if (facts.isWow64 && facts.hasRevertRedirection)
        process.RevertRedirection(facts.redirectionCookie);
}

} // namespace vantrel
