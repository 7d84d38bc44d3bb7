#pragma once
// The About box: the program's picture, name and version, its maker and a link to the
// vendor's home page.

#include "editors/DialogModel.h"
#include "platform/ShellApi.h"

namespace vantrel {

extern const char* const AboutMaker; // the line naming the maker

class TFormAbout : public DialogModel {
  public:
    explicit TFormAbout(ShellApi& shell);

  protected:
    void OnClick(const std::string& name) override;

  private:
    ShellApi& shell_;
};

} // namespace vantrel
