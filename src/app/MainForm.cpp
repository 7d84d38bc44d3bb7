#include "app/MainForm.h"

#include "app/Forms.h"
#include "find/FindList.h"
#include "render/RowPictures.h"
#include "tree/Configuration.h"
#include "tree/Entries.h"
#include "update/CheckVersion.h"
#include "update/StartupSwitch.h"

namespace vantrel {

const char* const ProgramTitle = "Vantrel";
const char* const RunKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

namespace {
constexpr unsigned RunValueBufferUnits = 280;
} // namespace

MainForm::MainForm(Platform& platform)
    : platform_(platform), main_(BuildPopupMenuMain()), sub_(BuildPopupMenuSub()),
      forms_(std::make_unique<Forms>(platform)),
      pictures_(std::make_unique<RowPictures>(
          platform.pictures, platform.drives,
          [this](const LinkEntry& entry) { return PictureSourceOf(entry); })) {
    forms_->FormSettings.SetApply([this](const Settings& wanted) { return ApplySettings(wanted); });
    forms_->FormSettings.SetTransfer([this](const DialogModel& owner) { ImportEntries(owner); },
                                     [this](const DialogModel& owner) { ExportEntries(owner); });
}

MainForm::~MainForm() {
    // Records are normally released by FormDestroy; this covers a form that never ran it.
    ReleaseMenu(*main_.root);
    ReleaseMenu(*sub_.root);
}

void MainForm::FormCreate() {
    try {
        platform_.ui.HideMainForm();
        ProbeProcessFacts(facts_, platform_.process);
        facts_.osMajorVersion = platform_.process.GetVersion() & 0xFF;
        // The icon first, so that it shows as soon as that of any tray program, however
        // large the tree: a click on it waits in the queue until the menus below are built.
        // The icon needs no COM, the shell's folders below do.
        ShowTrayIconUntilShown();
        platform_.process.InitializeCom();
        BuildSystemLinksMenu();
        // Stored files that could not be read are still the user's tree: no examples are
        // mixed into what was read of them.
        if (!LoadConfiguration() && !keepStoredFiles_)
            CreateDefaultContent();
        ProbeRunAtStartup();
        const std::optional<std::string> shortcutTaken = StartSettings();
        facts_.startupComplete = true;
        platform_.ui.ShowBalloon(ProgramTitle,
                                 shortcutTaken.value_or("Left-click here to popup the menu."),
                                 BalloonTimeoutMs);
        platform_.ui.StartTimer(PicturesTimer, BackgroundPicturesDelayMs);
    } catch (...) {
        // A failed step ends start-up silently; without StartupComplete nothing is saved.
    }
}

void MainForm::ProbeRunAtStartup() {
    const auto value =
        platform_.registry.ReadUserValue(RunKeyPath, ProgramTitle, RunValueBufferUnits);
    if (!value || value->size < 1 || value->size > RunValueBufferUnits)
        return;
    if (IsOurRunValue(value->text, platform_.process.ModuleFileName()))
        sub_.runAtSystemStartup->checked = true;
}

void MainForm::ShowTrayIconUntilShown() {
    // The shell may not be ready yet at logon; keep trying, as long as it takes.
    while (!platform_.ui.ShowTrayIcon())
        platform_.process.Sleep(TrayRetryMs);
}

void MainForm::ReleaseMenu(MenuNode& menu) {
    ReleaseEntryRecords(menu);
    menu.Clear();
}

void MainForm::FormDestroy() {
    try {
        StopPictures();
        SaveConfiguration();
        // Whatever is heard while the tree is released (a save's end inside a balloon, the
        // session's end inside a call to the shell) writes nothing.
        treeReleased_ = true;
        for (MenuNode* menu :
             {main_.disks, main_.system, main_.categories.run, main_.categories.applications,
              main_.categories.network, main_.categories.internet, main_.categories.files})
            ReleaseMenu(*menu);
        StopVersionCheck();
        ReleaseShortcut(menuShortcut_);
        ReleaseShortcut(findShortcut_);
        platform_.ui.HideTrayIcon();
        platform_.process.UninitializeCom();
    } catch (...) {
        // Shutdown goes on regardless; there is nobody left to tell.
    }
}

int MainForm::HandleQueryEndSession() {
    try {
        SaveConfiguration();
    } catch (...) {
    }
    return 1;
}

void MainForm::HandleEndSession(bool ending) {
    try {
        if (ending)
            SaveConfiguration();
    } catch (...) {
    }
}

void MainForm::TimerElapsed(unsigned timer) {
    try {
        if (timer == PicturesTimer)
            PicturesTimerElapsed();
        else if (timer == SaveTimer && state_.SaveDue())
            BeginSave();
    } catch (...) {
    }
}

void MainForm::TrayIcon1MouseDown(MouseButton button, int x, int y) {
    ShowTrayMenu(button == MouseButton::Left ? TrayMenu::Main : TrayMenu::Second, x, y,
                 MenuStart::NothingLit);
}

void MainForm::ShowTrayMenu(TrayMenu menu, int x, int y, MenuStart start, MenuPlace place) {
    try {
        if (menu == TrayMenu::Main) {
            PicturesForMenusAt(x, y);
            BuildDiskDrivesMenu();
        }
        platform_.ui.BringToForeground();
        platform_.ui.ShowPopupMenu(menu == TrayMenu::Main ? *main_.root : *sub_.root, x, y, start,
                                   place);
    } catch (...) {
    }
}

void MainForm::MenuItemClick(MenuNode& item) {
    try {
        switch (item.command) {
        case Command::None: break;
        case Command::AddNewItem: PopupMenuAddNewItemClick(item); break;
        case Command::EditItem: PopupMenuEditNewItemClick(item); break;
        case Command::DeleteItem: PopupMenuDelItemClick(item); break;
        case Command::MoveUp: PopupMenuMoveUpClick(item); break;
        case Command::MoveDown: PopupMenuMoveDownClick(item); break;
        case Command::OpenLink: PopupMenuOpenLinkClick(item); break;
        case Command::CopyLink: PopupMenuCopyLinkClick(item); break;
        case Command::OpenWithIE:
        case Command::OpenWithFirefox:
        case Command::OpenWithChrome:
        case Command::OpenWithOpera: PopupMenuBrowserOpenLinkClick(item, item.command); break;
        case Command::SystemLink: PopupMenuSystemClick(item); break;
        case Command::Screensaver:
        case Command::LockWorkstation:
        case Command::Logoff:
        case Command::Sleep:
        case Command::Hibernate:
        case Command::MonitorSleep:
        case Command::Reboot:
        case Command::Shutdown:
        case Command::PowerOff: OperationClick(item.command); break;
        case Command::HomePage: PopupMenuSubHomePageClick(); break;
        case Command::CheckForUpdates: PopupMenuSubCheckforupdatesClick(); break;
        case Command::About: PopupMenuSubAboutClick(); break;
        case Command::Find: ToggleFind(); break;
        case Command::Settings: PopupMenuSubSettingsClick(); break;
        case Command::RunAtStartup: PopupMenuSubRunAtSystemStartupClick(); break;
        case Command::Exit: PopupMenuSubExitClick(); break;
        }
    } catch (...) {
        // A failed command ends silently and keeps what it did so far.
    }
}

} // namespace vantrel
