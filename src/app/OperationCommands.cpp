// Power and session operations.
#include "app/MainForm.h"

#include "operations/Operations.h"
#include "tree/Configuration.h"

namespace vantrel {

void MainForm::OperationClick(Command operation) {
    RunOperation(operation, platform_, facts_, [this] { SaveConfiguration(); });
}

} // namespace vantrel
