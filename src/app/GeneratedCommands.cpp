// The System Links and Disk Drives menus.
#include "app/MainForm.h"

namespace vantrel {

void MainForm::BuildSystemLinksMenu() {}
void MainForm::BuildDiskDrivesMenu() {}
void MainForm::PopupMenuSystemClick(MenuNode&) {}

} // namespace vantrel
