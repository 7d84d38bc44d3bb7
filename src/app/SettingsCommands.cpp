// The user's settings: read from the file beside the program at start-up, after the tray icon
// shows; the keyboard shortcuts that open the menu and Find anywhere; the Settings window, whose OK
// makes a choice take effect at once and writes the file only when something changed.
#include "app/Forms.h"
#include "app/MainForm.h"
#include "tree/Configuration.h"

namespace vantrel {

namespace {
// `menu` and `find` are the keys that are taken, when they are.
std::string TakenAtStart(const std::optional<Shortcut>& menu, const std::optional<Shortcut>& find) {
    if (menu && find)
        return ShortcutText(*menu) + " and " + ShortcutText(*find) +
               ", the shortcuts that open the menu and Find, are taken by another program or by "
               "Windows. To choose others, right-click here and choose Settings.";
    return ShortcutText(menu ? *menu : *find) + ", the shortcut that opens " +
           (menu ? "the menu" : "Find") +
           ", is taken by another program or by Windows. To choose another, right-click here "
           "and choose Settings.";
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

std::optional<Shortcut> Wanted(bool on, const Shortcut& keys) {
    return on ? std::optional<Shortcut>(keys) : std::nullopt;
}
} // namespace

// A settings file that cannot even be read to the end (no memory for it) leaves the defaults:
// it must never keep the tree from being saved for the run.
std::optional<std::string> MainForm::StartSettings() {
    try {
        // A file that is missing, empty, damaged or unreadable gives the defaults, and no word.
        if (const auto path = PathBesideProgram(platform_.process, SettingsFileName))
            settings_ = LoadSettings(platform_.files, *path);
        const std::optional<Shortcut> menu =
            Wanted(settings_.menuShortcutOn, settings_.menuShortcut);
        const std::optional<Shortcut> find =
            Wanted(settings_.findShortcutOn, settings_.findShortcut);
        const bool menuHeld = HoldShortcut(menuShortcut_, menu);
        const bool findHeld = HoldShortcut(findShortcut_, find);
        if (menuHeld && findHeld)
            return std::nullopt;
        return TakenAtStart(menuHeld ? std::nullopt : menu, findHeld ? std::nullopt : find);
    } catch (...) {
        return std::nullopt;
    }
}

// The new shortcut is taken under the id not in use before the old one is let go, so that the
// program is never without one: a shortcut that is taken leaves the old one untouched.
bool MainForm::HoldShortcut(ShortcutSlot& slot, const std::optional<Shortcut>& want) {
    if (want == HeldKeys(slot))
        return true;
    const int id = slot.held && slot.held->id == slot.id ? slot.spareId : slot.id;
    if (want && !platform_.hotKeys.Register(id, *want))
        return false;
    ReleaseShortcut(slot);
    if (want)
        slot.held = HeldShortcut{id, *want};
    return true;
}

void MainForm::ReleaseShortcut(ShortcutSlot& slot) {
    if (slot.held)
        platform_.hotKeys.Unregister(slot.held->id);
    slot.held.reset();
}

std::optional<Shortcut> MainForm::HeldKeys(const ShortcutSlot& slot) {
    return slot.held ? std::optional<Shortcut>(slot.held->keys) : std::nullopt;
}

// Both shortcuts change, or neither does: the one taken, if any. The menu's new keys may be
// those Find lets go of, so Find changes first then. Swapped keys are free to neither while
// the other holds them: the menu lets go of its keys before Find takes them.
std::optional<Shortcut> MainForm::HoldShortcuts(const Settings& wanted) {
    struct Change {
        ShortcutSlot& slot;
        std::optional<Shortcut> want;
    };
    Change menu{menuShortcut_, Wanted(wanted.menuShortcutOn, wanted.menuShortcut)};
    Change find{findShortcut_, Wanted(wanted.findShortcutOn, wanted.findShortcut)};
    const bool findFirst = menu.want && menu.want == HeldKeys(findShortcut_);
    Change& first = findFirst ? find : menu;
    Change& second = findFirst ? menu : find;
    const std::optional<Shortcut> firstBefore = HeldKeys(first.slot);
    const std::optional<Shortcut> secondBefore = HeldKeys(second.slot);
    if (first.want && first.want == secondBefore)
        ReleaseShortcut(second.slot);
    if (!HoldShortcut(first.slot, first.want)) {
        HoldShortcut(second.slot, secondBefore);
        return first.want;
    }
    if (HoldShortcut(second.slot, second.want))
        return std::nullopt;
    HoldShortcut(first.slot, firstBefore);
    HoldShortcut(second.slot, secondBefore);
    return second.want;
}

// A press queued just before a shortcut changed ids still counts.
void MainForm::ShortcutPressed(int id, int x, int y) {
    if (id == MenuShortcutId || id == SpareMenuShortcutId)
        ShowTrayMenu(TrayMenu::Main, x, y, MenuStart::FirstRowLit, MenuPlace::InsideWorkArea);
    else if (IsFindShortcut(id))
        ToggleFind();
}

void MainForm::PopupMenuSubSettingsClick() {
    forms_->FormSettings.Load(settings_);
    platform_.ui.ShowModal(forms_->FormSettings);
}

std::optional<std::string> MainForm::ApplySettings(const Settings& wanted) {
    // A shortcut that was taken at start-up is tried again, even unchanged.
    if (const std::optional<Shortcut> taken = HoldShortcuts(wanted))
        return TakenNow(*taken);
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
