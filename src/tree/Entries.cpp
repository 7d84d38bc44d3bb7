#include "tree/Entries.h"

#include "platform/WindowsPaths.h"
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
    group.DeferChildren(&AddGroupMenus);
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

std::unique_ptr<LinkEntry> MakeItemRecord(ItemFields&& fields) {
    auto record = std::make_unique<LinkEntry>();
    record->title = std::move(fields.title);
    record->target = std::move(fields.target);
    record->parameters = std::move(fields.parameters);
    record->workDir = std::move(fields.workDir);
    record->runAsAdmin = fields.runAsAdmin;
    record->kind = fields.kind;
    record->entryType = fields.entryType;
    record->isGroup = 0;
    return record;
}
} // namespace

MenuNode& CreateItemEntry(MenuNode& parent, const ItemFields& fields, Platform& platform) {
    return CreateItemEntry(parent, ItemFields(fields), platform);
}

MenuNode& CreateItemEntry(MenuNode& parent, ItemFields&& fields, Platform& platform) {
    const std::uint8_t kind = fields.kind;
    auto node = std::make_unique<MenuNode>(fields.title, ItemImageOfKind(kind));
    node->SetTag(MakeItemRecord(std::move(fields)));
    const LinkEntry& record = *node->Tag();
    if (kind == LinkKindApplication)
        LoadApplicationIcon(record.target, node->Tag(), platform);
    else if (kind == LinkKindFile)
        LoadEntryIcon(record.target, node->Tag(), platform);

    MenuNode& item = parent.Append(std::move(node));
    item.DeferChildren(kind == LinkKindInternet ? &AddInternetItemMenus : &AddItemMenus);
    return item;
}

void ReleaseEntryRecords(MenuNode& node) {
    for (std::size_t i = 0; i < node.Count(); ++i) {
        MenuNode& child = node.Child(i);
        if (!child.Tag())
            continue;
        if (child.HasMadeChildren())
            ReleaseEntryRecords(child);
        child.ReleaseTag();
    }
}

} // namespace vantrel
