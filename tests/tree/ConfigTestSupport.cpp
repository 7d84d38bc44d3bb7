#include "tree/ConfigTestSupport.h"

#include <algorithm>

namespace vantrel::testing {

const char* const PrimaryPath = "C:\\Tools\\Config.dat";
const char* const CopyPath = "C:\\Tools\\Config2.dat";

namespace {
void Place(std::string& bytes, std::size_t offset, const std::string& text) {
    std::copy(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

std::string U32(std::uint32_t value) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

void DescribeNode(const MenuNode& node, const std::string& category, int depth, std::string& out) {
    for (std::size_t i = 0; i < node.Count(); ++i) {
        const MenuNode& child = node.Child(i);
        const LinkEntry* e = child.Tag();
        if (!e)
            continue;
        out += category + ": " + std::string(static_cast<std::size_t>(2 * depth), ' ');
        if (e->isGroup)
            out += "G " + e->title + "|kind=" + std::to_string(e->kind) +
                   "|type=" + std::to_string(e->entryType);
        else
            out += "I " + e->title + "|" + e->target + "|" + e->parameters + "|" + e->workDir +
                   "|admin=" + std::to_string(e->runAsAdmin) + "|kind=" + std::to_string(e->kind) +
                   "|type=" + std::to_string(e->entryType);
        out += "\n";
        DescribeNode(child, category, depth + 1, out);
    }
}
} // namespace

std::string RecordBytes(const RecordSpec& spec) {
    std::string bytes(889, '\0');
    Place(bytes, 0, spec.title.substr(0, 101));
    Place(bytes, 101, spec.target.substr(0, 261));
    Place(bytes, 362, spec.parameters.substr(0, 261));
    Place(bytes, 623, spec.workDir.substr(0, 261));
    bytes[884] = static_cast<char>(spec.runAsAdmin);
    bytes[885] = static_cast<char>(spec.kind);
    bytes[886] = static_cast<char>(spec.entryType);
    bytes[887] = static_cast<char>(spec.isGroup);
    bytes[888] = static_cast<char>(spec.depth);
    return bytes;
}

RecordSpec Group(std::string title, std::uint8_t depth, std::uint8_t kind) {
    RecordSpec spec;
    spec.title = std::move(title);
    spec.kind = kind;
    spec.entryType = 0;
    spec.isGroup = 1;
    spec.depth = depth;
    return spec;
}

RecordSpec Item(std::string title, std::uint8_t depth, std::uint8_t kind, std::string target) {
    RecordSpec spec;
    spec.title = std::move(title);
    spec.kind = kind;
    spec.depth = depth;
    spec.target = std::move(target);
    return spec;
}

std::string FileBytes(const FileSpec& spec) {
    std::string header(6004, '\0');
    std::vector<std::int32_t> counts = spec.counts;
    if (counts.empty()) {
        for (const auto& records : spec.categories)
            counts.push_back(static_cast<std::int32_t>(records.size()));
        counts.push_back(0);
    }
    for (std::size_t i = 0; i < counts.size(); ++i)
        Place(header, 4 * i, U32(static_cast<std::uint32_t>(counts[i])));
    header[2003] = 1;
    std::string bytes = U32(spec.version) + header;
    for (const auto& records : spec.categories)
        for (const RecordSpec& record : records)
            bytes += RecordBytes(record);
    return bytes;
}

Platform WithProcess(FakePlatform& fake, ProcessApi& process) {
    return fake.With().Process(process);
}

std::string Describe(const Categories& categories) {
    static const char* const names[] = {"Run", "Applications", "Network", "Internet", "Files"};
    std::string out;
    const auto menus = categories.InFileOrder();
    for (std::size_t i = 0; i < menus.size(); ++i)
        DescribeNode(*menus[i], names[i], 0, out);
    return out;
}

} // namespace vantrel::testing
