#pragma once
// Work on a thread of its own that nobody waits for: a Win32 thread whose handle is closed at
// once, the thread freeing its work when it is done.
//
// Not a detached std::thread. With this toolchain std::thread runs on winpthreads (mingw-w64
// 10), which gives a detached thread's record to the next new thread while a thread whose work
// ended before the detach is still on its way out and writes to it: the next thread starts
// with a null argument, or the process hangs (BackgroundThreadTest shows it within seconds).
// The drive icons' lookups end that fast for a letter that is no drive root, a burst of them
// at every left click: the likely cause of the crash of issue 18, "page fault on write access
// to 0200B957 at address 0043C310", which in the build of the time is pthread_mutex_lock
// writing through a lock pointer that was not one.

#include "platform/ThreadApi.h"
#include "win32/WinHeaders.h"

#include <functional>

namespace vantrel::win32 {

// False when no thread could be had (the work then never runs). Nothing may escape the work:
// whatever it throws is dropped.
bool RunInBackground(std::function<void()> work);

// A Win32 thread the user-interface thread can wait for, one piece of work at a time; its
// destruction waits for the work.
class WaitableThread final : public ThreadApi {
  public:
    WaitableThread() = default;
    ~WaitableThread() override { Wait(); }
    WaitableThread(const WaitableThread&) = delete;
    WaitableThread& operator=(const WaitableThread&) = delete;

    bool Start(std::function<void()> work) override;
    void Wait() override;

  private:
    HANDLE thread_ = nullptr;
};

} // namespace vantrel::win32
