#pragma once
// The editor of "Network Resources" entries: a network path with a title, or a group.

#include "editors/LinkDialog.h"

namespace vantrel {

extern const LinkDialogLook NetworkLook;

class TFormAddNetwork : public LinkDialog {
public:
    TFormAddNetwork() : LinkDialog(NetworkLook) {}
};

} // namespace vantrel
