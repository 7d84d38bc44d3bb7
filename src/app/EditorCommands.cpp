// Adding and editing entries through the category dialogs.
#include "app/MainForm.h"

namespace vantrel {

void MainForm::PopupMenuAddNewItemClick(MenuNode&) {}
void MainForm::PopupMenuEditNewItemClick(MenuNode&) {}

} // namespace vantrel
