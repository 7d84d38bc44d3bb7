// Power and session operations.
#include "app/MainForm.h"

namespace vantrel {

void MainForm::OperationClick(Command) {}

} // namespace vantrel
