#pragma once
// The configuration file: the five categories flattened into fixed-size records, written
// as a whole to Config.dat and its copy Config2.dat beside the program file, and read once
// at start-up.
//
// Layout (little-endian, no padding): the format version 1 (4 bytes); a 6004-byte header
// with the record counts of Run, Applications, Network Resources, Internet Links and Files
// and Folders, a sixth count that is always 0, and the byte 1 at header offset 2003; then
// the records of each category in that order, 889 bytes each. The records of a category
// list its subtree parent before children; the depth byte alone encodes the nesting.

#include "platform/Platform.h"
#include "tree/Categories.h"
#include "tree/MenuNode.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vantrel {

namespace config {
constexpr std::uint32_t FormatVersion = 1;
constexpr std::size_t VersionBytes = 4;
constexpr std::size_t HeaderBytes = 6004;
constexpr std::size_t RecordsOffset = VersionBytes + HeaderBytes; // 6008
constexpr std::size_t HeaderCountCount = 6;      // five categories and one always-empty count
constexpr std::size_t HeaderMarkerOffset = 2003; // holds the byte 1
constexpr std::int32_t MaxRecordsPerCategory = 10000;
constexpr int DepthLimit = 100; // depths 0 to 99 are stored
constexpr std::size_t CategoryCount = 5;

constexpr std::size_t RecordBytes = 889;
constexpr std::size_t TitleOffset = 0;
constexpr std::size_t TitleField = 101; // 100 bytes of text and a terminating zero
constexpr std::size_t TargetOffset = 101;
constexpr std::size_t ParametersOffset = 362;
constexpr std::size_t WorkDirOffset = 623;
constexpr std::size_t TextField = 261; // 260 bytes of text and a terminating zero
constexpr std::size_t RunAsAdminOffset = 884;
constexpr std::size_t KindOffset = 885;
constexpr std::size_t EntryTypeOffset = 886;
constexpr std::size_t IsGroupOffset = 887;
constexpr std::size_t DepthOffset = 888;

constexpr const char* PrimaryName = "Config.dat";
constexpr const char* CopyName = "Config2.dat";
} // namespace config

using CategoryCounts = std::array<std::int32_t, config::CategoryCount>;

// Entries below the node from the given depth on; nothing at depth 100 or more.
std::int32_t CountEntries(const MenuNode& node, int depth);

// Writes the entries below the node as records from index `next` on, advancing it, and never
// at or beyond `capacity`.
void FlattenEntries(const MenuNode& node, int depth, std::int32_t capacity, std::int32_t& next,
                    std::uint8_t* records);

// Rebuilds a category from its records, which may come a batch at a time; records that cannot
// be placed are skipped. A failure while creating an entry ends this category and keeps what
// was created; it is then not complete.
class CategoryRebuild {
  public:
    explicit CategoryRebuild(MenuNode& category) : category_(category) {}
    void Add(const std::uint8_t* records, std::size_t count);
    bool Complete() const { return !failed_; }

  private:
    void AddRecord(const std::uint8_t* record);

    MenuNode& category_;
    // The menu item of the last entry created at each depth: a record's parent is the one a
    // level up.
    std::array<MenuNode*, config::DepthLimit> lastAtDepth_{};
    bool failed_ = false;
};

// All of a category's records at once.
bool RebuildEntries(MenuNode& category, const std::uint8_t* records, std::size_t count);

// The counts a save writes: the entries of each category, at most 10,000.
CategoryCounts CountsToSave(const Categories& categories);
// The format version and the header for these counts.
std::array<std::uint8_t, config::RecordsOffset> BuildHead(const CategoryCounts& counts);

// The five record counts when the version and header are valid (all six counts 0 to 10000).
std::optional<CategoryCounts> ReadHeader(const std::uint8_t* data, std::size_t size);
// The size of a file with these counts: 6008 + 889 x their sum.
std::uint64_t WholeFileSize(const CategoryCounts& counts);

struct ConfigurationPaths {
    std::string primary;
    std::string copy;
};
// Both files in the directory of the program file; empty when the program's path has no
// directory part.
std::optional<ConfigurationPaths> ConfigurationPathsOf(ProcessApi& process);
// A file of that name in the directory of the program file, likewise.
std::optional<std::string> PathBesideProgram(ProcessApi& process, const std::string& name);

// The name a damaged file is kept under: "Config.dat.damaged", then "Config.dat.damaged-2"...
std::string DamagedFileName(const std::string& path, int attempt);
// Renames the file to the first damaged-file name not in use; the name, or empty when the
// file is still in the way.
std::optional<std::string> SetAsideAsDamaged(FileApi& files, const std::string& path);

struct LoadReport {
    // A valid version and header were read, whatever happened to the records after that.
    bool valid = false;
    // Config.dat was whole and holds exactly the tree loaded, and Config2.dat looks the same
    // (whole, with the same counts): nothing needs writing until the tree changes.
    bool upToDate = false;
    // Damaged files were renamed aside: no whole file holds the tree loaded.
    bool setAside = false;
    // The stored files hold something the tree does not (a file that could be neither read
    // nor set aside, or records lost to a failure while rebuilding): no save may replace them.
    bool keepStoredFiles = false;
};

// Loads the first of Config.dat and Config2.dat that is whole (valid header and exactly the
// size its counts give). When neither is whole, each damaged file is renamed aside so that
// no save overwrites it, and the first one with a valid header is loaded as far as its
// records reach.
LoadReport LoadConfiguration(const Categories& categories, Platform& platform);

// A tree's records as a save writes them, copied on the user-interface thread so that they
// can be written on another while the tree changes. Copied in batches: 50,000 entries are
// 44 MB of records, a block a long-running 32-bit process may no longer find in one piece.
struct SaveImage {
    struct Batch {
        std::unique_ptr<std::uint8_t[]> records;
        std::size_t bytes = 0;
    };
    std::array<std::uint8_t, config::RecordsOffset> head{};
    // The records of each category in file order; a category's last batch is its own.
    std::vector<Batch> batches;
};
SaveImage TakeSaveImage(const Categories& categories);

struct SaveOutcome {
    bool saved = false;
    std::string reason; // why it failed, in the system's words when the system gave them
    std::string path;   // the file it failed to replace, when it got that far
};

// Writes Config2.dat and then Config.dat, each as a flushed temporary file renamed over the
// old one, so that a crash or a full disk at any moment leaves at least one whole copy of
// either the old or the new tree. Saved when both were replaced. Safe on any thread.
SaveOutcome WriteSaveImage(const SaveImage& image, const std::optional<ConfigurationPaths>& paths,
                           FileApi& files);

// The same bytes on the user-interface thread, straight from the tree a quarter of a megabyte
// at a time: a save at Exit or at the end of the session needs no copy of the records.
SaveOutcome WriteConfiguration(const Categories& categories, Platform& platform);
// The same; true when both files were replaced.
bool SaveConfiguration(const Categories& categories, Platform& platform);

} // namespace vantrel
