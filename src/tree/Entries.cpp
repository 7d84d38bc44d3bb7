#include "tree/Entries.h"

#include "render/IconExtraction.h"
#include "tree/EntryMenus.h"
#include "tree/ImageIndex.h"
#include "tree/PathParts.h"

#include <memory>

namespace vantrel {

int GroupImageOfKind(int kind) {
    switch (kind) {
    case LinkKindApplication: return ImageApplicationsGroup;
    case LinkKindNetwork: return ImageNetworkGroup;
    case LinkKindInternet: return ImageInternetGroup;
    case LinkKindFile: return ImageFilesAndFolders;
    default: return ImageRunGroup;
    }
}

MenuNode& CreateGroupEntry(MenuNode& parent, const std::string& title, std::uint8_t kind,
                           std::uint8_t entryType) {
    auto record = std::make_unique<LinkEntry>();
    record->title = title;
    record->kind = kind;
    record->entryType = entryType;
    record->isGroup = 1;

    auto node = std::make_unique<MenuNode>(title, GroupImageOfKind(kind));
    node->SetTag(std::move(record));
    MenuNode& group = parent.Append(std::move(node));
    AddGroupActionsMenu(group);
    AddEntrySeparator(group);
    return group;
}

bool LoadApplicationIcon(const std::string& target, LinkEntry* entry, Platform& platform) {
    if (!DirectoryPart(target).empty())
        return LoadEntryIcon(target, entry, platform);
    const std::string windows = UsableWindowsDirectory(platform.process);
    if (windows.empty())
        return false;
    return LoadIconFromPath(windows + "\\" + target, entry, platform) ||
           LoadIconFromPath(windows + "\\system32\\" + target, entry, platform);
}

namespace {
int ItemImageOfKind(int kind) {
    switch (kind) {
    case LinkKindApplication:
    case LinkKindFile: return ImageNone;
    case LinkKindNetwork: return ImageNetworkItem;
    case LinkKindInternet: return ImageInternetLinks;
    default: return ImageRunItem;
    }
}

std::unique_ptr<LinkEntry> MakeItemRecord(const ItemFields& fields) {
    auto record = std::make_unique<LinkEntry>();
    record->title = fields.title;
    record->target = fields.target;
    record->parameters = fields.parameters;
    record->workDir = fields.workDir;
    record->runAsAdmin = fields.runAsAdmin;
    record->kind = fields.kind;
    record->entryType = fields.entryType;
    record->isGroup = 0;
    return record;
}
} // namespace

MenuNode& CreateItemEntry(MenuNode& parent, const ItemFields& fields, Platform& platform) {
    auto node = std::make_unique<MenuNode>(fields.title, ItemImageOfKind(fields.kind));
    node->SetTag(MakeItemRecord(fields));
    if (fields.kind == LinkKindApplication)
        LoadApplicationIcon(fields.target, node->Tag(), platform);
    else if (fields.kind == LinkKindFile)
        LoadEntryIcon(fields.target, node->Tag(), platform);

    MenuNode& item = parent.Append(std::move(node));
    AddItemActionsMenu(item);
    AddEntrySeparator(item);
    if (fields.kind == LinkKindInternet)
        AddBrowserLinkCommands(item);
    else
        AddLinkCommands(item);
    return item;
}

void ReleaseEntryRecords(MenuNode& node) {
    for (std::size_t i = 0; i < node.Count(); ++i) {
        MenuNode& child = node.Child(i);
        if (!child.Tag())
            continue;
        if (child.HasChildren())
            ReleaseEntryRecords(child);
        child.ReleaseTag();
    }
}

} // namespace vantrel
