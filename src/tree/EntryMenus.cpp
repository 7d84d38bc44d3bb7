#include "tree/EntryMenus.h"

#include "tree/ImageIndex.h"

namespace vantrel {

namespace {
void AddEditDeleteMove(MenuNode& actions) {
    actions.Append("Edit Current Item", ImageEditItem, Command::EditItem);
    actions.Append("Delete Current Item", ImageDeleteItem, Command::DeleteItem);
    actions.Append("-", ImagePower);
    actions.Append("Move Current Item to Up", ImageMoveUp, Command::MoveUp);
    actions.Append("Move Current Item to Down", ImageMoveDown, Command::MoveDown);
}

void AddGroupActionsMenu(MenuNode& entry) {
    MenuNode& actions = entry.Append("Actions", ImageActions);
    actions.Reserve(6);
    actions.Append("Add New Item", ImageAddNewItem, Command::AddNewItem);
    AddEditDeleteMove(actions);
}

void AddItemActionsMenu(MenuNode& entry) {
    MenuNode& actions = entry.Append("Actions", ImageActions);
    actions.Reserve(5);
    AddEditDeleteMove(actions);
}

void AddEntrySeparator(MenuNode& entry) { entry.Append("-", -1); }

void AddLinkCommands(MenuNode& entry) {
    entry.Append("Open Link", ImageOpenLink, Command::OpenLink);
    entry.Append("Copy Link", ImageCopyLink, Command::CopyLink);
}

void AddBrowserLinkCommands(MenuNode& entry) {
    AddLinkCommands(entry);
    entry.Append("-", ImagePower);
    entry.Append("Open With Internet Explorer", ImageInternetExplorer, Command::OpenWithIE);
    entry.Append("Open With Mozilla Firefox", ImageFirefox, Command::OpenWithFirefox);
    entry.Append("Open With Google Chrome", ImageChrome, Command::OpenWithChrome);
    entry.Append("Open With Opera", ImageOpera, Command::OpenWithOpera);
}

} // namespace

void AddGroupMenus(MenuNode& group) {
    AddGroupActionsMenu(group);
    AddEntrySeparator(group);
}

void AddItemMenus(MenuNode& item) {
    item.Reserve(4);
    AddItemActionsMenu(item);
    AddEntrySeparator(item);
    AddLinkCommands(item);
}

void AddInternetItemMenus(MenuNode& item) {
    item.Reserve(9);
    AddItemActionsMenu(item);
    AddEntrySeparator(item);
    AddBrowserLinkCommands(item);
}

} // namespace vantrel
