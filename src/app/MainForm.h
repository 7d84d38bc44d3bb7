#pragma once
// The hidden main form: owns both tray menus and the user's tree, runs the start-up and
// shutdown sequences and handles every menu command.

#include "app/FormState.h"
#include "app/MenuLayout.h"
#include "app/TrayEvents.h"
#include "generated/DiskDrives.h"
#include "platform/Platform.h"
#include "platform/ProcessFacts.h"
#include "settings/Settings.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vantrel {

class CheckVersion;
class FindList;
enum class ImportSource;
struct ImportOutcome;
struct Forms;
class RowPictures;
struct SaveJob;
struct SaveOutcome;

enum class MouseButton { Left, Right, Middle };

extern const char* const ProgramTitle;      // "Vantrel"
extern const char* const RunKeyPath;        // the per-user Run key
constexpr unsigned TrayRetryMs = 1000;
constexpr unsigned BalloonTimeoutMs = 3000;
// The rows' own pictures are read this long after the tray icon shows: start-up at logon,
// when the disks are busiest, is left alone, and until then the program costs no more than
// its icon. A menu opened before that has its rows read at once.
constexpr unsigned PicturesTimer = 1;
constexpr unsigned BackgroundPicturesDelayMs = 3000;
// The tree is written this long after a change, with whatever else changed meanwhile.
constexpr unsigned SaveTimer = 2;
constexpr unsigned SaveDelayMs = 1000;
// Posted by the save thread once the tree is written or the save failed (WM_USER + 16).
constexpr std::uint32_t SaveEndedMessage = 0x0410;
// The keyboard shortcuts the program registers, by their id. A new shortcut is taken under the
// spare id while the old one is still held.
constexpr int MenuShortcutId = 1;
constexpr int SpareMenuShortcutId = 2;
constexpr int FindShortcutId = 3;
constexpr int SpareFindShortcutId = 4;
constexpr bool IsFindShortcut(int id) {
    return id == FindShortcutId || id == SpareFindShortcutId;
}

class MainForm {
public:
    explicit MainForm(Platform& platform);
    ~MainForm();
    MainForm(const MainForm&) = delete;
    MainForm& operator=(const MainForm&) = delete;

    void FormCreate();
    void FormDestroy();
    // Answers WM_QUERYENDSESSION: writes what is not saved yet; the answer is always that
    // the session may end.
    int HandleQueryEndSession();
    // Answers WM_ENDSESSION: when the session ends, what changed since is written; when the
    // shutdown was cancelled the program goes on as before.
    void HandleEndSession(bool ending);
    void TrayIcon1MouseDown(MouseButton button, int x, int y);
    // Opens one of the tray menus at (x, y); the main menu is brought up to date first.
    void ShowTrayMenu(TrayMenu menu, int x, int y, MenuStart start,
                      MenuPlace place = MenuPlace::AtPoint);
    // A keyboard shortcut of the program was pressed, the pointer at (x, y): the menu's opens
    // the main menu (the window has closed a menu that was open instead), Find's opens or
    // closes the Find window.
    void ShortcutPressed(int id, int x, int y);
    // Dispatches a chosen menu item to its handler; called after the menu has closed.
    void MenuItemClick(MenuNode& item);
    // A menu (or submenu) is about to show: its rows' pictures are read first. Stores the
    // pictures that arrived meanwhile too; the rows to repaint.
    std::vector<const MenuNode*> MenuOpening(const MenuNode& menu);
    // A timer started through UiApi::StartTimer has elapsed.
    void TimerElapsed(unsigned timer);
    // Answers PicturesReadyMessage: stores the pictures read; the rows to repaint.
    std::vector<const MenuNode*> CollectPictures();
    // The tree changed: it is written on the save thread within about a second.
    void TreeChanged();
    // Answers SaveEndedMessage, whose wParam numbers the save.
    void SaveEnded(std::uintptr_t number);

    MenuNode& PopupMenuMain() { return *main_.root; }
    MenuNode& PopupMenuSub() { return *sub_.root; }
    const Categories& CategoryMenus() const { return main_.categories; }
    MenuNode& PopupMenuSystem() { return *main_.system; }
    MenuNode& PopupMenuDisks() { return *main_.disks; }
    MenuNode& PopupMenuSubRunAtSystemStartup() { return *sub_.runAtSystemStartup; }
    ProcessFacts& Facts() { return facts_; }
    Platform& Services() { return platform_; }
    // The program's dialogs, one each for the whole run.
    Forms& Dialogs() { return *forms_; }
    // What is open and what is not saved yet; the main window keeps its part of it here.
    FormState& State() { return state_; }
    // What the Find window shows, made when it first opens and kept for the run.
    FindList& Finder();
    // Opens the Find window, or closes it when it shows: the menu's "Find..." and the
    // shortcut. The tree is indexed at the first opening.
    void ToggleFind();
    // Enter, a click on a row, Ctrl+C and Esc in the Find window. The chosen entry opens, or
    // its link is copied, exactly as from its menu; the window closes first. Esc clears the
    // text, and closes the window when there is none.
    void OpenFound();
    void CopyFound();
    void EscapeFind();
    // The Find window shows these rows: their pictures are read before everything else.
    void FindRowsShowing(const std::vector<const MenuNode*>& rows);

    std::int32_t ProgramVersionNumber() const { return 100; }

    // Hooks filled by the subsystems, in the order start-up and shutdown call them.
    void BuildSystemLinksMenu();
    bool LoadConfiguration();
    void CreateDefaultContent();
    // Writes what is not saved yet, on this thread, once a save being written has ended.
    // Not saved only when a save was tried and failed; a tree that did not change, or may not
    // be saved (start-up unfinished, stored files that hold more than the tree), counts as
    // saved.
    SaveOutcome SaveConfiguration();
    void BuildDiskDrivesMenu();
    void StopVersionCheck();
    // After the tray icon shows: every row's own picture, read in the background.
    void QueuePictures();
    void StopPictures();
    // Menus are about to open at the point (x, y): pictures are read for that monitor's
    // scaling, those read for another read again.
    void PicturesForMenusAt(int x, int y);
    std::optional<PictureSource> PictureSourceOf(const LinkEntry& entry);

    // Menu command handlers.
    void PopupMenuSubExitClick();
    void PopupMenuAddNewItemClick(MenuNode& item);
    void PopupMenuEditNewItemClick(MenuNode& item);
    void PopupMenuDelItemClick(MenuNode& item);
    void PopupMenuMoveUpClick(MenuNode& item);
    void PopupMenuMoveDownClick(MenuNode& item);
    void PopupMenuOpenLinkClick(MenuNode& item);
    void PopupMenuCopyLinkClick(MenuNode& item);
    // What an item's Open Link and Copy Link do, for whoever else opens or copies it.
    void OpenLink(const LinkEntry& entry);
    void CopyLink(const LinkEntry& entry);
    void PopupMenuBrowserOpenLinkClick(MenuNode& item, Command browser);
    void PopupMenuSystemClick(MenuNode& item);
    void OperationClick(Command operation);
    void PopupMenuSubHomePageClick();
    void PopupMenuSubCheckforupdatesClick();
    void PopupMenuSubAboutClick();
    void PopupMenuSubRunAtSystemStartupClick();
    void PopupMenuSubSettingsClick();

    // What OK in the Settings window does with a new choice: nothing when it took effect,
    // else what to tell the user.
    std::optional<std::string> ApplySettings(const Settings& wanted);
    // Import... and Export... in the Settings window (`owner`). An import asks for its source,
    // reads it beside the tree and attaches it whole, or nothing of it; the tree is then saved
    // as after any change. Both end with a message of what they did, or why not.
    void ImportEntries(const DialogModel& owner);
    void ExportEntries(const DialogModel& owner);

    // The version check. HandleVersionResult answers the result message (WM_USER + 10,
    // its lParam); RunVersionCheckNotices answers WM_USER + 11, the worker's request to run
    // a notice on this thread.
    void HandleVersionResult(std::intptr_t lParam);
    void RunVersionCheckNotices();
    bool VersionCheckRunning() const { return checkVersion_ != nullptr; }
    MenuNode& PopupMenuSubCheckforupdates() { return *sub_.checkForUpdates; }

private:
    const LinkEntry* TakeFound(FindClosing closing);
    void ProbeRunAtStartup();
    void ShowTrayIconUntilShown();
    void ReleaseMenu(MenuNode& menu);
    void PicturesTimerElapsed();
    bool SavingAllowed() const;
    void StartSaveTimer();
    void BeginSave();
    bool StartSaveThread(const std::shared_ptr<SaveJob>& job);
    // Waits for the save thread and takes in how its save went; true when the next save is
    // due at once.
    bool CollectSave();
    bool TakeOutcome(const SaveOutcome& outcome);
    std::string PrimaryPath();
    // Reads the settings file and takes the shortcuts; when one is taken, what the balloon of
    // the start tells.
    std::optional<std::string> StartSettings();
    struct HeldShortcut {
        int id;
        Shortcut keys;
    };
    // One shortcut of the program: its two ids, and which of them holds which keys.
    struct ShortcutSlot {
        int id;
        int spareId;
        std::optional<HeldShortcut> held;
    };
    // Registers the keys wanted (none: the shortcut is off) in place of those held; false when
    // they are taken, and the ones held before are still held.
    bool HoldShortcut(ShortcutSlot& slot, const std::optional<Shortcut>& want);
    void ReleaseShortcut(ShortcutSlot& slot);
    static std::optional<Shortcut> HeldKeys(const ShortcutSlot& slot);
    // Both shortcuts as the settings want them, or neither changed: then the keys taken.
    std::optional<Shortcut> HoldShortcuts(const Settings& wanted);
    void StoreSettings();
    // The import from the source chosen; nullopt when the user cancelled a picker.
    std::optional<ImportOutcome> PrepareImport(ImportSource source, const DialogModel& owner);
    void AttachImport(ImportOutcome& outcome);

    Platform& platform_;
    ProcessFacts facts_;
    MainMenuLayout main_;
    SubMenuLayout sub_;
    std::unique_ptr<Forms> forms_;
    FormState state_;
    std::shared_ptr<SaveJob> saveJob_; // the save being written on the save thread
    std::uintptr_t savesBegun_ = 0;
    DriveIconRequests driveIconRequests_; // drive icons still being looked up
    std::unique_ptr<CheckVersion> checkVersion_; // the check reference; UI thread only
    std::unique_ptr<RowPictures> pictures_;
    std::unique_ptr<FindList> finder_;
    bool picturesQueued_ = false; // the background reading has begun
    // Set when the stored configuration files hold something the tree does not.
    bool keepStoredFiles_ = false;
    bool keptFilesTold_ = false; // the user heard that changes are not saved then
    bool treeReleased_ = false;  // the program is ending: nothing may be written any more
    Settings settings_;
    ShortcutSlot menuShortcut_{MenuShortcutId, SpareMenuShortcutId, std::nullopt};
    ShortcutSlot findShortcut_{FindShortcutId, SpareFindShortcutId, std::nullopt};
    bool settingsFailureTold_ = false;
};

} // namespace vantrel
