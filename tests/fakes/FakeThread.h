#pragma once
// The save thread held in the test's hand: the work started waits until the test runs it (or
// the program waits for it), so a test decides when a save ends, and what happens meanwhile.

#include "platform/ThreadApi.h"

#include <functional>

namespace vantrel::testing {

struct CallLog;

class FakeThread : public ThreadApi {
  public:
    explicit FakeThread(CallLog& log) : log_(log) {}
    bool noThread = false; // Start finds no thread to be had
    int startThrows = 0;   // the next Starts throw, as copying the work may for lack of memory

    bool Start(std::function<void()> work) override;
    void Wait() override;
    // Runs the work started; false when there is none.
    bool Finish();
    bool Busy() const { return static_cast<bool>(work_); }

  private:
    CallLog& log_;
    std::function<void()> work_;
};

} // namespace vantrel::testing
