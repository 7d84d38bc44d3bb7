#include "tree/Entries.h"

#include "tree/EntryMenus.h"
#include "tree/ImageIndex.h"

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

namespace {
// Applications and files show these until their own pictures have been read.
int ItemImageOf(int kind, int entryType) {
    switch (kind) {
    case LinkKindApplication: return ImageApplications;
    case LinkKindFile: return entryType == EntryTypeFolder ? ImageFolder : ImageDocument;
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

MenuNode& CreateItemEntry(MenuNode& parent, const ItemFields& fields) {
    return CreateItemEntry(parent, ItemFields(fields));
}

MenuNode& CreateItemEntry(MenuNode& parent, ItemFields&& fields) {
    const std::uint8_t kind = fields.kind;
    auto node = std::make_unique<MenuNode>(fields.title, ItemImageOf(kind, fields.entryType));
    node->SetTag(MakeItemRecord(std::move(fields)));
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
