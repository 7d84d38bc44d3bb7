// Persistence and the entry commands that rearrange the tree.
#include "app/MainForm.h"

namespace vantrel {

bool MainForm::LoadConfiguration() { return false; }
void MainForm::SaveConfiguration() {}
void MainForm::CreateDefaultContent() {}

} // namespace vantrel
