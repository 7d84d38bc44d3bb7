#include "app/MenuLayout.h"

#include "tree/ImageIndex.h"

#include <string>

namespace vantrel {

namespace {
MenuNode& Named(MenuNode& node, const char* name) {
    node.name = name;
    return node;
}

MenuNode* AddCategory(MenuNode& root, const char* name, const char* caption, int image,
                      const char* addItemName, const char* separatorName) {
    MenuNode& category = Named(root.Append(caption, image), name);
    Named(category.Append("Add New Item", ImageAddNewItem, Command::AddNewItem), addItemName);
    Named(category.Append("-", -1), separatorName);
    return &category;
}

void AddOperations(MenuNode& operations) {
    struct Row {
        const char* name;
        const char* caption;
        int image;
        Command command;
    };
    static const Row rows[] = {
        {"PopupMenuOperationsScreensaver", "Launch Screensaver", ImageScreensaver,
         Command::Screensaver},
        {"N5", "-", -1, Command::None},
        {"PopupMenuOperationsLockWorkstation", "Lock Workstation", ImageLock,
         Command::LockWorkstation},
        {"PopupMenuOperationsLogoff", "Log off", ImageLock, Command::Logoff},
        {"N1", "-", -1, Command::None},
        {"PopupMenuOperationsSleep", "Sleep", ImageSleep, Command::Sleep},
        {"PopupMenuOperationsHibernate", "Hibernate", ImageSleep, Command::Hibernate},
        {"PopupMenuOperationsMonitorsleep", "Monitor sleep", ImageSleep, Command::MonitorSleep},
        {"N4", "-", -1, Command::None},
        {"PopupMenuOperationsReboot", "Reboot", ImageReboot, Command::Reboot},
        {"PopupMenuOperationsShutdown", "Shutdown", ImagePower, Command::Shutdown},
        {"PopupMenuOperationsPoweroff", "Power off", ImagePower, Command::PowerOff},
    };
    for (const Row& row : rows)
        Named(operations.Append(row.caption, row.image, row.command), row.name);
}
} // namespace

MainMenuLayout BuildPopupMenuMain() {
    MainMenuLayout layout;
    layout.root = std::make_unique<MenuNode>();
    MenuNode& root = Named(*layout.root, "PopupMenuMain");
    Named(root.Append("Home Page", ImageHomePage, Command::HomePage), "HomePage1");
    Named(root.Append("-", -1), "N12");
    Categories& c = layout.categories;
    c.files = AddCategory(root, "PopupMenuFiles", "Files and Folders", ImageFilesAndFolders,
                          "AddNewItem5", "N10");
    c.internet = AddCategory(root, "PopupMenuInternet", "Internet Links", ImageInternetLinks,
                             "AddNewItem4", "N9");
    c.network = AddCategory(root, "PopupMenuNetwork", "Network Resources",
                            ImageNetworkResources, "AddNewItem3", "N8");
    c.applications = AddCategory(root, "PopupMenuApplications", "Applications",
                                 ImageApplications, "AddNewItem2", "N7");
    c.run = AddCategory(root, "PopupMenuRun", "Run", ImageRun, "AddNewItem1", "N6");
    layout.operations = &Named(root.Append("Operations", ImageOperations), "PopupMenuOperations");
    AddOperations(*layout.operations);
    layout.system = &Named(root.Append("System Links", ImageSystemLinks), "PopupMenuSystem");
    layout.disks = &Named(root.Append("Disk Drives", ImageDiskDrives), "PopupMenuDisks");
    return layout;
}

SubMenuLayout BuildPopupMenuSub() {
    SubMenuLayout layout;
    layout.root = std::make_unique<MenuNode>();
    MenuNode& root = Named(*layout.root, "PopupMenuSub");
    Named(root.Append("Home Page", ImageHomePage, Command::HomePage), "PopupMenuSubHomePage");
    layout.checkForUpdates =
        &Named(root.Append("Check for Updates", ImageCheckForUpdates, Command::CheckForUpdates),
               "PopupMenuSubCheckforupdates");
    // Shipped hidden: nothing makes it visible.
    layout.checkForUpdates->visible = false;
    Named(root.Append("About", ImageAbout, Command::About), "PopupMenuSubAbout");
    Named(root.Append("Find...", ImageFind, Command::Find), "PopupMenuSubFind");
    Named(root.Append("Settings...", ImageSettings, Command::Settings), "PopupMenuSubSettings");
    Named(root.Append("-", -1), "N2");
    layout.runAtSystemStartup =
        &Named(root.Append("Run at System Startup", ImageRunAtStartup, Command::RunAtStartup),
               "PopupMenuSubRunAtSystemStartup");
    Named(root.Append("-", -1), "N3");
    Named(root.Append("Exit", ImagePower, Command::Exit), "PopupMenuSubExit");
    return layout;
}

} // namespace vantrel
