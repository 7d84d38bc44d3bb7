#pragma once
// The nine power and session operations of the "Operations" submenu.

#include "platform/Platform.h"
#include "platform/ProcessFacts.h"
#include "tree/Command.h"

#include <cstdint>
#include <functional>

namespace vantrel {

extern const char* const OperationQuestion;     // "Are you sure you want to run this operation?"
extern const char* const OperationConfirmTitle; // "Confirm"

// SHTDN_REASON_FLAG_PLANNED | SHTDN_REASON_MAJOR_OPERATINGSYSTEM | SHTDN_REASON_MINOR_UPGRADE
constexpr std::uint32_t OperationShutdownReason = 0x80020003;

// Asks the user, and only after a Yes makes the operation's platform call. Operations that
// end the session or suspend the machine first save the tree (only once start-up has
// completed, so a half-started program never overwrites the stored file) and enable the
// shutdown privilege. A command that is not an operation does nothing.
void RunOperation(Command operation, Platform& platform, const ProcessFacts& facts,
                  const std::function<void()>& saveConfiguration);

} // namespace vantrel
