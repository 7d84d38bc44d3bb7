// Opening entries and copying their links.
#include "app/MainForm.h"

namespace vantrel {

void MainForm::PopupMenuOpenLinkClick(MenuNode&) {}
void MainForm::PopupMenuCopyLinkClick(MenuNode&) {}
void MainForm::PopupMenuBrowserOpenLinkClick(MenuNode&, Command) {}

} // namespace vantrel
