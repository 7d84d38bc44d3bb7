#pragma once
// The pattern of the internet link and network resource editors: an item with a title and a
// target taken as typed, or a group. The two dialogs differ only in the data below.

#include "editors/EntryDialog.h"

namespace vantrel {

struct LinkDialogLook {
    const char* caption;
    int clientWidth;
    const char* targetLabel; // the label before Edit2
    int fieldLeft;           // left edge of the three edit fields and of the hint
    const char* hint;        // an example target, below Edit2
    int bevelWidth;
};

class LinkDialog : public EntryDialog {
public:
    explicit LinkDialog(const LinkDialogLook& look);
};

} // namespace vantrel
