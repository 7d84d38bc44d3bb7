#pragma once
// A thread for work the user must not wait for, which the user-interface thread can still
// wait for when it has to: the tree is written on it, and the program ends only once it has.

#include <functional>

namespace vantrel {

class ThreadApi {
  public:
    virtual ~ThreadApi() = default;
    // Runs the work on a thread of its own, once the work started before has ended. False
    // when no thread could be had: the work then never runs. Nothing may escape the work.
    virtual bool Start(std::function<void()> work) = 0;
    // Returns once the work started last has ended; at once when there is none.
    virtual void Wait() = 0;
};

} // namespace vantrel
