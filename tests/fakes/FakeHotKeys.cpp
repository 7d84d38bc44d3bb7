#include "fakes/FakeHotKeys.h"

#include "fakes/FakePlatform.h"

#include <algorithm>
#include <new>

namespace vantrel::testing {

bool FakeHotKeys::Register(int id, const Shortcut& shortcut) {
    if (throwOnRegister)
        throw std::bad_alloc();
    const bool ours = std::any_of(held.begin(), held.end(),
                                  [&](const auto& entry) { return entry.second == shortcut; });
    const bool taken = ours || std::find(takenElsewhere.begin(), takenElsewhere.end(), shortcut) !=
                                   takenElsewhere.end();
    log_.Add("RegisterHotKey " + std::to_string(id) + " " + ShortcutText(shortcut) +
             (taken ? " taken" : ""));
    if (!taken)
        held[id] = shortcut;
    return !taken;
}

void FakeHotKeys::Unregister(int id) {
    log_.Add("UnregisterHotKey " + std::to_string(id));
    held.erase(id);
}

} // namespace vantrel::testing
