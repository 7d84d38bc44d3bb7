#include "editors/AddInternetDialog.h"

namespace vantrel {

const LinkDialogLook InternetLook{
    "Add/Edit Internet Link",
    368,
    "Internet link:",
    100,
    "( Example: http://www.example.com )",
    342,
};

} // namespace vantrel
