#pragma once
// The editor of "Internet Links" entries: a web address with a title, or a group.

#include "editors/LinkDialog.h"

namespace vantrel {

extern const LinkDialogLook InternetLook;

class TFormAddInternet : public LinkDialog {
public:
    TFormAddInternet() : LinkDialog(InternetLook) {}
};

} // namespace vantrel
