#pragma once
// Posting window messages to the main form. Safe to call from any thread: this is how the
// version-check worker reaches the user-interface thread.

#include <cstdint>

namespace vantrel {

class MessageApi {
  public:
    virtual ~MessageApi() = default;
    // PostMessageA to the main form's window; false when the message was not queued.
    virtual bool PostToMainForm(std::uint32_t message, std::uintptr_t wParam,
                                std::intptr_t lParam) = 0;
};

} // namespace vantrel
