#include "transfer/ImportListing.h"

namespace vantrel::testing {

namespace {
void ListNode(const MenuNode& node, const std::string& prefix, std::string& out) {
    for (std::size_t i = 0; node.HasMadeChildren() && i < node.Count(); ++i) {
        const LinkEntry* entry = node.Child(i).Tag();
        if (!entry)
            continue;
        if (entry->isGroup) {
            ListNode(node.Child(i), prefix + entry->title + "/", out);
            continue;
        }
        out += prefix + entry->title + " = " + entry->target;
        if (!entry->parameters.empty() || !entry->workDir.empty())
            out += " (" + entry->parameters + "; " + entry->workDir + ")";
        out += entry->runAsAdmin ? " [admin]" : "";
        out += entry->entryType == EntryTypeFolder ? " [folder]" : "";
        out += "\n";
    }
}
} // namespace

std::string ListItems(const Categories& categories) {
    const char* const letters[] = {"R ", "A ", "N ", "I ", "F "};
    std::string out;
    const auto menus = categories.InFileOrder();
    for (std::size_t i = 0; i < menus.size(); ++i)
        ListNode(*menus[i], letters[i], out);
    return out;
}

} // namespace vantrel::testing
