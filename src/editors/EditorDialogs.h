#pragma once
// Which dialog edits the entries of each category. The add and edit flow asks here only,
// so a category's dialog joins by registering itself; a category without one ignores the
// add and edit commands.

#include "editors/EntryDialog.h"

#include <array>
#include <cstdint>

namespace vantrel {

class EditorDialogs {
public:
    // Kinds outside the five saved categories are ignored.
    void Register(std::uint8_t kind, EntryDialog& dialog);
    // Null for a kind without a dialog.
    EntryDialog* ForKind(int kind) const;

private:
    std::array<EntryDialog*, 5> dialogs_{}; // indexed by kind - LinkKindRun
};

} // namespace vantrel
