#pragma once
// The Settings window. Each keyboard shortcut is a group of its own: a check box that turns it
// on, the hot-key field with the keys, and a check box for the Windows key, which the field
// does not take. Groups stack downwards and the buttons' row follows them, with room at its
// left for more buttons, so a shortcut or a button more leaves the rest where it is.
// OK hands the choice to the program, which makes it take effect at once; when it cannot,
// the window says why and stays open with nothing changed. Cancel changes nothing.
// Import... and Export..., at the left of the buttons' row, act at once and leave the window
// open: what they do is no setting that Cancel could take back.

#include "editors/DialogModel.h"
#include "platform/UiApi.h"
#include "settings/Settings.h"

#include <functional>
#include <optional>
#include <string>

namespace vantrel {

class TFormSettings : public DialogModel {
  public:
    // Makes the settings take effect: nothing when they did, else what to tell the user.
    using Apply = std::function<std::optional<std::string>(const Settings&)>;

    explicit TFormSettings(UiApi& ui);
    void SetApply(Apply apply) { apply_ = std::move(apply); }
    // What Import... and Export... do; the window is the owner of what they open.
    using Transfer = std::function<void(const DialogModel& owner)>;
    void SetTransfer(Transfer importer, Transfer exporter) {
        import_ = std::move(importer);
        export_ = std::move(exporter);
    }
    // Shows the settings in effect; called before every showing.
    void Load(const Settings& settings);

  protected:
    void OnClick(const std::string& name) override;

  private:
    void ShowGroup(const std::string& group, bool on, const Shortcut& keys);
    void EnableGroup(const std::string& group);
    // The shortcut a group shows; empty when its field holds none.
    std::optional<Shortcut> KeysOf(const std::string& group) const;
    std::optional<std::string> ReadGroup(const std::string& group, const char* caption, bool& on,
                                         Shortcut& keys) const;
    // The choice the window shows, over the settings loaded; what is wrong with it, if anything.
    std::optional<std::string> ReadChoice(Settings& chosen) const;
    void ApplyChoice();

    UiApi& ui_;
    Apply apply_;
    Transfer import_;
    Transfer export_;
    Settings loaded_;
};

} // namespace vantrel
