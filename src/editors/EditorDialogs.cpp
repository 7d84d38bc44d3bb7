#include "editors/EditorDialogs.h"

namespace vantrel {

void EditorDialogs::Register(std::uint8_t kind, EntryDialog& dialog) {
    if (IsSavedLinkKind(kind))
        dialogs_[static_cast<std::size_t>(kind - LinkKindRun)] = &dialog;
}

EntryDialog* EditorDialogs::ForKind(int kind) const {
    if (!IsSavedLinkKind(kind))
        return nullptr;
    return dialogs_[static_cast<std::size_t>(kind - LinkKindRun)];
}

} // namespace vantrel
