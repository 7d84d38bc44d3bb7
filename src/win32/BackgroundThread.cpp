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
} // namespace

bool RunInBackground(Work work) {
    try {
        auto owned = std::make_unique<Work>(std::move(work));
        // _beginthreadex rather than CreateThread: the thread uses the C runtime.
        const std::uintptr_t thread = _beginthreadex(nullptr, 0, &RunWork, owned.get(), 0, nullptr);
        if (thread == 0)
            return false;
        owned.release(); // the thread frees it
        CloseHandle(reinterpret_cast<HANDLE>(thread));
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace vantrel::win32
