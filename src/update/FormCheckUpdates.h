#pragma once
// The result dialog of the version check: one line of text and one button, whose caption
// says what it does ("Ok", or "Download" when a newer version is announced).

#include "editors/DialogModel.h"

namespace vantrel {

class TFormCheckUpdates : public DialogModel {
  public:
    TFormCheckUpdates();

  protected:
    void OnClick(const std::string& name) override;
};

} // namespace vantrel
