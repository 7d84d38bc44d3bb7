#pragma once
// The editor of "Applications" entries: a program with its title, parameters, working
// directory and run-as-administrator switch, or a group. "..." buttons pick the program
// file and the working folder.

#include "editors/EntryDialog.h"
#include "editors/Picking.h"

namespace vantrel {

// Programs and management-console files are offered, although the description names only
// programs.
extern const char* const ProgramFilter; // "Executable files (*.exe)|*.exe;*.msc;"

class TFormAddApp : public EntryDialog {
public:
    explicit TFormAddApp(PathPicker& picker);

protected:
    void OnClick(const std::string& name) override;

private:
    // The program file: fills the title when it is empty, the file name, and the work dir
    // with the program's folder.
    void Button1Click();
    // The working folder, starting at the one typed.
    void Button2Click();

    PathPicker& picker_;
};

} // namespace vantrel
