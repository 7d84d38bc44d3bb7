#include "fakes/FakeThread.h"

#include "fakes/FakePlatform.h"

#include <new>

namespace vantrel::testing {

bool FakeThread::Start(std::function<void()> work) {
    if (startThrows > 0 && startThrows--)
        throw std::bad_alloc();
    Finish(); // the real one waits for the work before
    log_.Add(noThread ? "Thread start failed" : "Thread start");
    if (!noThread)
        work_ = std::move(work);
    return !noThread;
}

void FakeThread::Wait() {
    log_.Add("Thread wait");
    Finish();
}

bool FakeThread::Finish() {
    if (!work_)
        return false;
    const std::function<void()> work = std::move(work_);
    work_ = nullptr;
    work();
    return true;
}

} // namespace vantrel::testing
