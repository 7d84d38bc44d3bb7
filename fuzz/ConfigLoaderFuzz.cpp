// Hands the loader any bytes as Config.dat and checks what it makes of them against an
// independent reading of the format:
// - the result is true exactly when the version and the six counts are valid;
// - a file that is not whole is kept aside byte for byte, a whole one stays where it is;
// - the tree rebuilt is the one the record rules give (computed here separately), which the
//   save then writes back to both copies.

#include "app/MenuLayout.h"
#include "fakes/FakePlatform.h"
#include "tree/Configuration.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace vantrel;

const char* const Primary = "C:\\Tools\\Config.dat";
const char* const SetAside = "C:\\Tools\\Config.dat.damaged";

void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "config loader property failed: %s\n", what);
        std::abort();
    }
}

std::uint32_t U32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

// ---- The reference: the record rules applied to a plain tree ----------------------------

struct RefNode {
    std::array<std::uint8_t, 889> record{}; // the record as the save writes it, depth aside
    std::vector<std::unique_ptr<RefNode>> children;
};

void CopyText(const std::uint8_t* from, std::uint8_t* to, std::size_t field) {
    for (std::size_t i = 0; i + 1 < field && from[i] != 0; ++i)
        to[i] = from[i];
}

std::unique_ptr<RefNode> RefEntry(const std::uint8_t* r) {
    auto node = std::make_unique<RefNode>();
    std::uint8_t* out = node->record.data();
    CopyText(r, out, 101);
    out[885] = r[885];
    out[886] = r[886];
    if (r[887] != 0) {
        out[887] = 1;
        return node;
    }
    CopyText(r + 101, out + 101, 261);
    CopyText(r + 362, out + 362, 261);
    CopyText(r + 623, out + 623, 261);
    out[884] = r[884];
    return node;
}

void RefRebuild(RefNode& root, const std::uint8_t* records, std::size_t count) {
    std::array<RefNode*, 100> slots{};
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* r = records + 889 * i;
        const int depth = r[888];
        if (depth >= 100)
            continue;
        RefNode* parent = depth == 0 ? &root : slots[static_cast<std::size_t>(depth - 1)];
        if (!parent || r[885] < 3 || r[885] > 7 || r[886] > 2)
            continue;
        parent->children.push_back(RefEntry(r));
        slots[static_cast<std::size_t>(depth)] = parent->children.back().get();
    }
}

void RefFlatten(const RefNode& node, int depth, std::string& out, std::int32_t& count) {
    for (const auto& child : node.children) {
        std::array<std::uint8_t, 889> record = child->record;
        record[888] = static_cast<std::uint8_t>(depth);
        out.append(reinterpret_cast<const char*>(record.data()), record.size());
        ++count;
        RefFlatten(*child, depth + 1, out, count);
    }
}

// The file the save must write after loading `data`.
std::string ExpectedResave(const std::uint8_t* data, std::size_t size, bool headerValid) {
    std::array<RefNode, 5> roots;
    if (headerValid) {
        std::size_t offset = 6008;
        for (std::size_t c = 0; c < 5; ++c) {
            const std::size_t count = U32(data + 4 + 4 * c);
            if (offset + 889 * count > size)
                break;
            RefRebuild(roots[c], data + offset, count);
            offset += 889 * count;
        }
    }
    std::string header(6004, '\0');
    header[2003] = 1;
    std::string records;
    for (std::size_t c = 0; c < 5; ++c) {
        std::int32_t count = 0;
        RefFlatten(roots[c], 0, records, count);
        for (int b = 0; b < 4; ++b)
            header[4 * c + static_cast<std::size_t>(b)] = static_cast<char>(count >> (8 * b));
    }
    return std::string("\x01\x00\x00\x00", 4) + header + records;
}

bool HeaderValid(const std::uint8_t* data, std::size_t size) {
    if (size < 6008 || U32(data) != 1)
        return false;
    for (std::size_t c = 0; c < 6; ++c) {
        const auto count = static_cast<std::int32_t>(U32(data + 4 + 4 * c));
        if (count < 0 || count > 10000)
            return false;
    }
    return true;
}

bool Whole(const std::uint8_t* data, std::size_t size) {
    std::uint64_t expected = 6008;
    for (std::size_t c = 0; c < 5; ++c)
        expected += 889ull * U32(data + 4 + 4 * c);
    return expected == size;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const bool headerValid = HeaderValid(data, size);
    const bool whole = headerValid && Whole(data, size);
    const std::string input(reinterpret_cast<const char*>(data), size);

    testing::FakePlatform fake;
    fake.files.files[Primary] = input;
    MainMenuLayout layout = BuildPopupMenuMain();
    const LoadReport report = LoadConfiguration(layout.categories, fake.platform);
    Require(report.valid == headerValid, "valid exactly when the header is");
    Require(!report.keepStoredFiles, "a readable file can always be set aside");
    if (whole) {
        Require(fake.files.files[Primary] == input, "a whole file stays in place");
        Require(!fake.files.files.count(SetAside), "a whole file is not set aside");
    } else {
        Require(!fake.files.files.count(Primary), "a damaged file is moved out of the way");
        Require(fake.files.files[SetAside] == input, "a damaged file is kept byte for byte");
    }

    Require(SaveConfiguration(layout.categories, fake.platform), "the save succeeds");
    const std::string& saved = fake.files.files[Primary];
    Require(saved == ExpectedResave(data, size, headerValid), "the tree follows the record rules");
    Require(fake.files.files[std::string("C:\\Tools\\Config2.dat")] == saved,
            "both copies are identical");
    return 0;
}
