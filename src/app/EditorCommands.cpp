// Adding and editing entries through the category dialogs.
#include "app/Forms.h"
#include "app/MainForm.h"
#include "editors/AddEditFlow.h"
#include "render/RowPictures.h"
#include "tree/EntryActions.h"

namespace vantrel {

void MainForm::PopupMenuAddNewItemClick(MenuNode& item) {
    const std::optional<AddPlace> place = FindAddContainer(item, main_.categories);
    if (!place)
        return;
    EntryDialog* dialog = forms_->editors.ForKind(place->kind);
    if (!dialog)
        return;
    PrepareForAdd(*dialog);
    if (platform_.ui.ShowModal(*dialog) != ModalResult::Ok)
        return;
    MenuNode& entry = CreateEntryFromDialog(*dialog, *place->container, place->kind);
    TreeChanged();
    pictures_->Refresh(entry);
}

void MainForm::PopupMenuEditNewItemClick(MenuNode& item) {
    MenuNode* entry = EntryOfActionCommand(item);
    if (!entry)
        return;
    EntryDialog* dialog = forms_->editors.ForKind(entry->Tag()->kind);
    if (!dialog)
        return;
    const EntryDialogMode& mode = PrepareForEdit(*dialog, *entry->Tag());
    if (platform_.ui.ShowModal(*dialog) != ModalResult::Ok)
        return;
    if (!StoreEdit(*dialog, mode, *entry))
        return;
    TreeChanged();
    pictures_->Refresh(*entry);
}

} // namespace vantrel
