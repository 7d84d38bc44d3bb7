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
           ", the shortcut that opens the menu, is taken by another program. To choose another, "
           "right-click here and choose Settings.";
}

std::string TakenNow(const Shortcut& shortcut) {
    return ShortcutText(shortcut) +
           " is taken by another program or by Windows. Choose another shortcut.";
}

std::string NotSavedNotice(const std::string& path, const std::string& reason) {
    return "Your settings could not be saved to " + path + (reason.empty() ? "." : ": " + reason) +
           "\nThey hold until Vantrel ends.";
}
} // namespace

std::optional<std::string> MainForm::StartSettings() {
    // A file that is missing, empty, damaged or unreadable gives the defaults, and no word.
    if (const auto path = PathBesideProgram(platform_.process, SettingsFileName))
        settings_ = LoadSettings(platform_.files, *path);
    if (HoldMenuShortcut(settings_))
        return std::nullopt;
    return TakenAtStart(settings_.menuShortcut);
}

bool MainForm::HoldMenuShortcut(const Settings& wanted) {
    const std::optional<Shortcut> want =
        wanted.menuShortcutOn ? std::optional<Shortcut>(wanted.menuShortcut) : std::nullopt;
    if (want == menuShortcutHeld_)
        return true;
    const std::optional<Shortcut> before = menuShortcutHeld_;
    if (before)
        platform_.hotKeys.Unregister(MenuShortcutId);
    menuShortcutHeld_.reset();
    if (!want || platform_.hotKeys.Register(MenuShortcutId, *want)) {
        menuShortcutHeld_ = want;
        return true;
    }
    if (before && platform_.hotKeys.Register(MenuShortcutId, *before))
        menuShortcutHeld_ = before;
    return false;
}

void MainForm::ShortcutPressed(int id, int x, int y) {
    if (id == MenuShortcutId)
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
    if (!path)
        return;
    const SettingsSaved saved = SaveSettings(platform_.files, *path, settings_);
    if (saved.saved)
        settingsFailureTold_ = false;
    else if (!settingsFailureTold_)
        settingsFailureTold_ = platform_.ui.ShowBalloon(
            ProgramTitle, NotSavedNotice(*path, saved.reason), BalloonTimeoutMs);
}

} // namespace vantrel
