#pragma once
// The editor of "Files and Folders" entries, with three modes: a file item, a folder item or
// a group. A new entry starts as a folder. "..." buttons pick a file or a folder and make up
// a title from the pick when none is typed.

#include "editors/EntryDialog.h"
#include "editors/Picking.h"

namespace vantrel {

class TFormAddFile : public EntryDialog {
public:
    explicit TFormAddFile(PathPicker& picker);

protected:
    void OnClick(const std::string& name) override;

private:
    // Any file; fills the file title when it is empty, and the file name.
    void Button1Click();
    // A folder, starting at the one typed. A picked folder is stored with exactly one
    // trailing backslash; its title is the folder's name, or the drive for a drive root.
    void Button2Click();

    PathPicker& picker_;
};

} // namespace vantrel
