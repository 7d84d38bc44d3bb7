#include "editors/AddNetworkDialog.h"

namespace vantrel {

const LinkDialogLook NetworkLook{
    "Add/Edit Network Resource",
    388,
    "Network resource:",
    120,
    "( Example: \\\\127.0.0.1\\C$ )",
    362,
};

} // namespace vantrel
