// The user's settings: read from the file beside the program at start-up, after the tray icon
// shows; the keyboard shortcut that opens the menu anywhere; the Settings window, whose OK
// makes a choice take effect at once and writes the file only when something changed.
#include "app/Forms.h"
#include "app/MainForm.h"
#include "tree/Configuration.h"

namespace vantrel {

namespace {
std::string TakenAtStart(const Shortcut& shortcut) {
    return ShortcutText(shortcut) +
           ", the shortcut that opens the menu, is taken by another program or by Windows. "
           "To choose another, right-click here and choose Settings.";
}

std::string TakenNow(const Shortcut& shortcut) {
    return ShortcutText(shortcut) +
           " is taken by another program or by Windows. Choose another shortcut.";
}

std::string NotSavedNotice(const std::string& path, const std::string& reason) {
    return "Your settings could not be saved to " + path + (reason.empty() ? "." : ": " + reason) +
           "\nThey hold until Vantrel ends.";
}

std::string KeptAsideNotice(const std::string& keptAs) {
    return "The settings file held no text Vantrel can read: it is kept as " + keptAs +
           ", and a new one holds your settings.";
}
} // namespace

// A settings file that cannot even be read to the end (no memory for it) leaves the defaults:
// it must never keep the tree from being saved for the run.
std::optional<std::string> MainForm::StartSettings() {
    try {
        // A file that is missing, empty, damaged or unreadable gives the defaults, and no word.
        if (const auto path = PathBesideProgram(platform_.process, SettingsFileName))
            settings_ = LoadSettings(platform_.files, *path);
        if (HoldMenuShortcut(settings_))
            return std::nullopt;
        return TakenAtStart(settings_.menuShortcut);
    } catch (...) {
        return std::nullopt;
    }
}

// The new shortcut is taken under the id not in use before the old one is let go, so that the
// program is never without one: a shortcut that is taken leaves the old one untouched.
bool MainForm::HoldMenuShortcut(const Settings& wanted) {
    const std::optional<Shortcut> want =
        wanted.menuShortcutOn ? std::optional<Shortcut>(wanted.menuShortcut) : std::nullopt;
    if (want == HeldKeys())
        return true;
    const int id = menuShortcutHeld_ && menuShortcutHeld_->id == MenuShortcutId
                       ? SpareMenuShortcutId
                       : MenuShortcutId;
    if (want && !platform_.hotKeys.Register(id, *want))
        return false;
    if (menuShortcutHeld_)
        platform_.hotKeys.Unregister(menuShortcutHeld_->id);
    menuShortcutHeld_.reset();
    if (want)
        menuShortcutHeld_ = HeldShortcut{id, *want};
    return true;
}

std::optional<Shortcut> MainForm::HeldKeys() const {
    return menuShortcutHeld_ ? std::optional<Shortcut>(menuShortcutHeld_->keys) : std::nullopt;
}

// A press queued just before the shortcut changed ids still counts.
void MainForm::ShortcutPressed(int id, int x, int y) {
    if (id == MenuShortcutId || id == SpareMenuShortcutId)
        ShowTrayMenu(TrayMenu::Main, x, y, MenuStart::FirstRowLit, MenuPlace::InsideWorkArea);
}

void MainForm::PopupMenuSubSettingsClick() {
    forms_->FormSettings.Load(settings_);
    platform_.ui.ShowModal(forms_->FormSettings);
}

std::optional<std::string> MainForm::ApplySettings(const Settings& wanted) {
    // A shortcut that was taken at start-up is tried again, even unchanged.
    if (!HoldMenuShortcut(wanted))
        return TakenNow(wanted.menuShortcut);
    if (wanted == settings_)
        return std::nullopt;
    settings_ = wanted;
    StoreSettings();
    return std::nullopt;
}

// A folder that cannot be written keeps the settings for this run; the user hears of it once
// (once the balloon did show), until a save works again.
void MainForm::StoreSettings() {
    const auto path = PathBesideProgram(platform_.process, SettingsFileName);
    const SettingsSaved saved =
        path ? SaveSettings(platform_.files, *path, settings_) : SettingsSaved{};
    if (saved.saved && !saved.keptAs.empty())
        platform_.ui.ShowBalloon(ProgramTitle, KeptAsideNotice(saved.keptAs), BalloonTimeoutMs);
    if (saved.saved)
        settingsFailureTold_ = false;
    else if (!settingsFailureTold_)
        settingsFailureTold_ = platform_.ui.ShowBalloon(
            ProgramTitle, NotSavedNotice(path.value_or(SettingsFileName), saved.reason),
            BalloonTimeoutMs);
}

} // namespace vantrel
