// The entry commands that rearrange the tree: delete, move up, move down.
#include "app/MainForm.h"
#include "tree/EntryActions.h"

namespace vantrel {

namespace {
const char* const DeleteGroupQuestion = "Are you sure you want to delete this group?";
const char* const ConfirmTitle = "Confirm";
} // namespace

void MainForm::PopupMenuDelItemClick(MenuNode& item) {
    MenuNode* entry = EntryOfActionCommand(item);
    if (!entry)
        return;
    // Only groups ask: they take everything below them along.
    if (entry->Tag()->entryType == EntryTypeGroup &&
        platform_.ui.AskYesNo(DeleteGroupQuestion, ConfirmTitle, DefaultAnswer::Yes) != MessageBoxResult::Yes)
        return;
    // This destroys the clicked item too: nothing may use `item` from here on.
    DeleteEntry(*entry);
    TreeChanged();
}

void MainForm::PopupMenuMoveUpClick(MenuNode& item) {
    MenuNode* entry = EntryOfActionCommand(item);
    if (entry && MoveEntryUp(*entry))
        TreeChanged();
}

void MainForm::PopupMenuMoveDownClick(MenuNode& item) {
    MenuNode* entry = EntryOfActionCommand(item);
    if (entry && MoveEntryDown(*entry))
        TreeChanged();
}

} // namespace vantrel
