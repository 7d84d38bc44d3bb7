#include "generated/DiskDrives.h"

#include "render/IconExtraction.h"
#include "tree/Entries.h"
#include "tree/ImageIndex.h"

#include <set>

namespace vantrel {

namespace {
constexpr int DriveLetters = 26; // the system sets no bit above Z:

LinkEntry* RowEntryOfRoot(MenuNode& disks, const std::string& root) {
    for (std::size_t i = 0; i < disks.Count(); ++i) {
        LinkEntry* entry = disks.Child(i).Tag();
        if (entry && entry->kind == LinkKindDrive && entry->target == root)
            return entry;
    }
    return nullptr;
}

std::unique_ptr<LinkEntry> NewDriveEntry(const std::string& caption) {
    auto entry = std::make_unique<LinkEntry>();
    entry->title = caption;
    entry->target = caption + "\\";
    entry->kind = LinkKindDrive;
    entry->entryType = EntryTypeItem;
    entry->isGroup = 0;
    return entry;
}

void AddDriveRow(MenuNode& disks, char letter, Platform& platform, DriveIconRequests& requests,
                 int side) {
    const std::string caption = std::string(1, letter) + ":";
    auto entry = NewDriveEntry(caption);
    const std::string root = entry->target;
    const bool atOnce = DriveAnswersAtOnce(platform.drives.TypeOfDrive(root));
    // A drive without an icon still gets its row.
    if (atOnce)
        LoadIconFromPath(root, entry.get(), platform, side);
    // Until its own picture is there (a drive that answers late, or not at all), the row
    // shows the program's picture of drives.
    auto node = std::make_unique<MenuNode>(caption, ImageDiskDrives, Command::SystemLink);
    node->SetTag(std::move(entry));
    disks.Append(std::move(node));
    if (!atOnce)
        requests.Request(root, disks, platform.drives, side);
}
} // namespace

struct DriveIconRequests::State {
    std::set<std::string> pending; // roots whose lookup is still running
};

DriveIconRequests::DriveIconRequests() : state_(std::make_shared<State>()) {}
DriveIconRequests::~DriveIconRequests() = default;

std::size_t DriveIconRequests::Pending() const {
    return state_->pending.size();
}

void DriveIconRequests::Request(const std::string& root, MenuNode& disks, DrivesApi& drives,
                                int side) {
    if (!state_->pending.insert(root).second)
        return;
    std::weak_ptr<State> weak = state_;
    MenuNode* menu = &disks; // lives as long as the state: both belong to the main form
    auto done = [weak, menu, root, side](std::optional<RawIcon> icon) {
        const std::shared_ptr<State> state = weak.lock();
        if (!state)
            return;
        state->pending.erase(root);
        LinkEntry* entry = RowEntryOfRoot(*menu, root);
        const std::optional<IconPixels> pixels = PictureOfIcon(icon, side);
        if (entry && pixels)
            entry->SetPixels(*pixels);
    };
    if (!drives.RequestIconInBackground(root, side, std::move(done)))
        state_->pending.erase(root);
}

bool DriveAnswersAtOnce(DriveType type) {
    return type == DriveType::Fixed || type == DriveType::RamDisk;
}

void BuildDiskDrivesMenu(MenuNode& disks, Platform& platform, DriveIconRequests& requests,
                         int side) {
    try {
        ReleaseEntryRecords(disks);
        disks.Clear();
        const std::uint32_t mask = platform.drives.LogicalDrives();
        for (int bit = 0; bit < DriveLetters; ++bit)
            if (mask & (std::uint32_t{1} << bit))
                AddDriveRow(disks, static_cast<char>('A' + bit), platform, requests, side);
    } catch (...) {
        // A failure part-way keeps the rows added so far; the menu shows with them.
    }
}

} // namespace vantrel
