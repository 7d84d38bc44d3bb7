#include "fakes/FakeMessages.h"

#include "fakes/FakePlatform.h"

#include <sstream>

namespace vantrel::testing {

bool FakeMessages::PostToMainForm(std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam) {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (refusals > 0 && refusals--)
        return false;
    if (std::this_thread::get_id() == owner_) {
        std::ostringstream line;
        line << "PostMessageA msg=0x" << std::hex << message << std::dec << " wParam=" << wParam
             << " lParam=" << lParam;
        log_.Add(line.str());
    }
    queue_.push_back({message, wParam, lParam});
    history_.push_back({message, wParam, lParam});
    posted_.notify_all();
    return true;
}

std::optional<PostedMessage> FakeMessages::Next(std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!posted_.wait_for(lock, timeout, [&] { return !queue_.empty(); }))
        return std::nullopt;
    const PostedMessage message = queue_.front();
    queue_.pop_front();
    return message;
}

std::vector<PostedMessage> FakeMessages::History() {
    const std::lock_guard<std::mutex> lock(mutex_);
    return history_;
}

} // namespace vantrel::testing
