#pragma once
// The editor of "Run" entries: a command line with a title, a run-as-administrator switch and
// a "Test" button that starts the typed command line at once; or a group.

#include "editors/EntryDialog.h"
#include "platform/ShellApi.h"

namespace vantrel {

extern const char* const RunHint; // "( Example: cmd /K ping ... )"

class TFormAddRun : public EntryDialog {
public:
    explicit TFormAddRun(ShellApi& shell);

protected:
    void OnClick(const std::string& name) override;

private:
    // Test: starts the command line the way a stored one starts, without closing the dialog
    // and without storing anything. What happens to the started command is not reported.
    void Button1Click();

    ShellApi& shell_;
};

} // namespace vantrel
