// The program's own commands: home page, version check, About, start-up switch.
#include "app/MainForm.h"

namespace vantrel {

void MainForm::PopupMenuSubHomePageClick() {}
void MainForm::PopupMenuSubCheckforupdatesClick() {}
void MainForm::PopupMenuSubAboutClick() {}
void MainForm::PopupMenuSubRunAtSystemStartupClick() {}
void MainForm::StopVersionCheck() {}

} // namespace vantrel
