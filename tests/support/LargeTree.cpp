#include "support/LargeTree.h"

#include "tree/Entries.h"

#include <string>

namespace vantrel::testing {

namespace {
std::string Numbered(const char* text, int n) {
    return text + std::to_string(n);
}

ItemFields ItemOf(std::uint8_t kind, int n) {
    ItemFields item;
    item.kind = kind;
    item.title = Numbered("Shortcut to something useful ", n);
    switch (kind) {
    case LinkKindRun:
        item.target = Numbered("cmd /K ping -n 4 host-", n) + ".branch.example.net";
        item.runAsAdmin = n % 3 == 0;
        break;
    case LinkKindApplication:
        item.target = Numbered("C:\\Program Files\\Vendor\\Application ", n) + "\\program.exe";
        item.parameters = Numbered("/profile user", n) + " --quiet";
        item.workDir = Numbered("C:\\Program Files\\Vendor\\Application ", n);
        break;
    case LinkKindNetwork:
        item.target = Numbered("\\\\fileserver-02\\projects\\team-", n);
        break;
    case LinkKindInternet:
        item.target = Numbered("http://www.site-", n) + ".example.com/section/page.html";
        break;
    default:
        item.target = Numbered("C:\\Users\\someone\\Documents\\Project\\report-", n) + ".docx";
        item.entryType = n % 4 == 0 ? EntryTypeFolder : EntryTypeItem;
        break;
    }
    return item;
}

void FillCategory(MenuNode& category, std::uint8_t kind) {
    int made = 0;
    MenuNode* parent = &category;
    for (int depth = 0; depth < 99; ++depth, ++made)
        parent = &CreateGroupEntry(*parent, Numbered("Level ", depth), kind, EntryTypeGroup);
    CreateItemEntry(*parent, ItemOf(kind, made++));
    while (made < LargeTreeEntriesPerCategory) {
        MenuNode& group = CreateGroupEntry(category, Numbered("Group ", made++), kind, 0);
        for (int sub = 0; sub < 4 && made < LargeTreeEntriesPerCategory; ++sub) {
            MenuNode& inner = CreateGroupEntry(group, Numbered("Subgroup ", made++), kind, 0);
            for (int i = 0; i < 5 && made < LargeTreeEntriesPerCategory; ++i)
                CreateItemEntry(inner, ItemOf(kind, made++));
        }
        for (int i = 0; i < 3 && made < LargeTreeEntriesPerCategory; ++i)
            CreateItemEntry(group, ItemOf(kind, made++));
    }
}
} // namespace

void FillLargeTree(const Categories& categories) {
    const auto menus = categories.InFileOrder();
    for (std::size_t i = 0; i < menus.size(); ++i)
        FillCategory(*menus[i], static_cast<std::uint8_t>(LinkKindRun + i));
}

} // namespace vantrel::testing
