#include "render/PictureStore.h"

#include <iterator>

namespace vantrel {

namespace {
std::size_t HashOf(const IconPixels& pixels) {
    std::size_t hash = 2166136261u; // FNV-1a
    for (const std::uint8_t byte : pixels)
        hash = (hash ^ byte) * 16777619u;
    return hash;
}
} // namespace

std::shared_ptr<const IconPixels> PictureStore::Keep(const IconPixels& pixels) {
    const std::size_t hash = HashOf(pixels);
    auto [first, last] = pictures_.equal_range(hash);
    for (auto it = first; it != last; ++it)
        if (auto kept = it->second.lock(); kept && *kept == pixels)
            return kept;
    // Not made with make_shared: the pixels must go with their last user, not with the
    // store's weak reference.
    std::shared_ptr<const IconPixels> picture(new IconPixels(pixels));
    pictures_.emplace(hash, picture);
    if (pictures_.size() >= sweepAt_)
        ForgetUnused();
    return picture;
}

std::size_t PictureStore::Count() {
    ForgetUnused();
    return pictures_.size();
}

void PictureStore::ForgetUnused() {
    for (auto it = pictures_.begin(); it != pictures_.end();)
        it = it->second.expired() ? pictures_.erase(it) : std::next(it);
    sweepAt_ = 2 * pictures_.size() + 64;
}

} // namespace vantrel
