#include "win32/BackgroundThread.h"

#include "win32/WinHeaders.h"

#include <process.h>

#include <cstdint>
#include <memory>

namespace vantrel::win32 {

namespace {
using Work = std::function<void()>;

unsigned __stdcall RunWork(void* context) {
    const std::unique_ptr<Work> work(static_cast<Work*>(context));
    try {
        (*work)();
    } catch (...) {
        // An exception leaving a thread would end the process.
    }
    return 0;
}

// The handle of a new thread running the work; null when none could be had.
HANDLE StartThread(Work work) {
    try {
        auto owned = std::make_unique<Work>(std::move(work));
        // _beginthreadex rather than CreateThread: the thread uses the C runtime.
        const std::uintptr_t thread = _beginthreadex(nullptr, 0, &RunWork, owned.get(), 0, nullptr);
        if (thread == 0)
            return nullptr;
        owned.release(); // the thread frees it
        return reinterpret_cast<HANDLE>(thread);
    } catch (...) {
        return nullptr;
    }
}
} // namespace

bool RunInBackground(Work work) {
    const HANDLE thread = StartThread(std::move(work));
    if (thread)
        CloseHandle(thread);
    return thread != nullptr;
}

bool WaitableThread::Start(Work work) {
    Wait();
    thread_ = StartThread(std::move(work));
    return thread_ != nullptr;
}

void WaitableThread::Wait() {
    if (!thread_)
        return;
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = nullptr;
}

} // namespace vantrel::win32
