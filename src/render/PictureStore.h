#pragma once
// Every picture read from the shell, kept once however many entries show it: ten thousand
// links to one kind of file hold one kilobyte, not ten megabytes. User-interface thread only.

#include "tree/LinkEntry.h"

#include <cstddef>
#include <memory>
#include <unordered_map>

namespace vantrel {

class PictureStore {
  public:
    // The stored picture with these pixels, stored now when there is none yet. A picture
    // leaves the store when the last entry showing it lets go of it.
    std::shared_ptr<const IconPixels> Keep(const IconPixels& pixels);
    // Pictures in use, for tests and measurements.
    std::size_t Count();

  private:
    void ForgetUnused();

    // By a hash of the pixels; weak, so that the store alone keeps nothing alive.
    std::unordered_multimap<std::size_t, std::weak_ptr<const IconPixels>> pictures_;
    std::size_t sweepAt_ = 64;
};

} // namespace vantrel
