#pragma once
// The dialogs of the program: one instance of each, created with the main form at start-up
// and kept until the program ends. Every user resets a dialog before showing it.

#include "editors/AddApplicationDialog.h"
#include "editors/AddFileDialog.h"
#include "editors/AddInternetDialog.h"
#include "editors/AddNetworkDialog.h"
#include "editors/AddRunDialog.h"
#include "editors/EditorDialogs.h"
#include "platform/Platform.h"
#include "settings/FormImportSource.h"
#include "settings/FormSettings.h"
#include "update/FormAbout.h"
#include "update/FormCheckUpdates.h"

namespace vantrel {

struct Forms {
    explicit Forms(Platform& platform);
    Forms(const Forms&) = delete;
    Forms& operator=(const Forms&) = delete;

    // Before the editors that use it.
    PathPicker picker;
    TFormAddRun FormAddRun;
    TFormAddNetwork FormAddNetwork;
    TFormAddInternet FormAddInternet;
    TFormAddApp FormAddApp;
    TFormAddFile FormAddFile;
    // The category of each entry dialog above.
    EditorDialogs editors;
    TFormCheckUpdates FormCheckUpdates;
    TFormAbout FormAbout;
    TFormSettings FormSettings;
    TFormImportSource FormImportSource;
};

} // namespace vantrel
