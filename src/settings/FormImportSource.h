#pragma once
// The small window of Settings > Import... that asks where the entries come from: the Start
// menu, a folder of shortcuts or a bookmarks file. The Start menu is offered first, since
// it needs nothing more from the user.

#include "editors/DialogModel.h"

namespace vantrel {

enum class ImportSource { StartMenu, Folder, Bookmarks };

class TFormImportSource : public DialogModel {
  public:
    TFormImportSource();
    // Called before every showing.
    void Reset() { SetChecked("StartMenu", true); }
    ImportSource Chosen() const;

  protected:
    void OnClick(const std::string& name) override;
};

} // namespace vantrel
