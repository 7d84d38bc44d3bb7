#include "tree/Configuration.h"

#include "platform/DurableFile.h"
#include "tree/Entries.h"
#include "tree/PathParts.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

namespace vantrel {

using namespace config;

namespace {

// ---- Bytes -------------------------------------------------------------------------------

void PutU32(std::uint8_t* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t GetU32(const std::uint8_t* at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | at[i];
    return value;
}

void PutText(std::uint8_t* field, std::size_t fieldBytes, const std::string& text) {
    // The record is zero-filled first, so the terminating zero and the rest are there.
    const std::size_t length = std::min(text.size(), fieldBytes - 1);
    std::copy_n(text.begin(), length, field);
}

// The last byte of a field counts as zero whatever it holds, so a text always ends inside
// its field.
std::string GetText(const std::uint8_t* field, std::size_t fieldBytes) {
    const std::uint8_t* end = std::find(field, field + fieldBytes - 1, std::uint8_t{0});
    return std::string(reinterpret_cast<const char*>(field), static_cast<std::size_t>(end - field));
}

void WriteRecord(const LinkEntry& entry, int depth, std::uint8_t* record) {
    std::memset(record, 0, RecordBytes);
    PutText(record + TitleOffset, TitleField, entry.title);
    PutText(record + TargetOffset, TextField, entry.target);
    PutText(record + ParametersOffset, TextField, entry.parameters);
    PutText(record + WorkDirOffset, TextField, entry.workDir);
    record[RunAsAdminOffset] = entry.runAsAdmin;
    record[KindOffset] = entry.kind;
    record[EntryTypeOffset] = entry.entryType;
    record[IsGroupOffset] = entry.isGroup;
    record[DepthOffset] = static_cast<std::uint8_t>(depth);
}

MenuNode& CreateFromRecord(MenuNode& parent, const std::uint8_t* record) {
    const std::uint8_t kind = record[KindOffset];
    const std::uint8_t entryType = record[EntryTypeOffset];
    if (record[IsGroupOffset] != 0)
        return CreateGroupEntry(parent, GetText(record + TitleOffset, TitleField), kind, entryType);
    ItemFields fields;
    fields.title = GetText(record + TitleOffset, TitleField);
    fields.target = GetText(record + TargetOffset, TextField);
    fields.parameters = GetText(record + ParametersOffset, TextField);
    fields.workDir = GetText(record + WorkDirOffset, TextField);
    fields.runAsAdmin = record[RunAsAdminOffset];
    fields.kind = kind;
    fields.entryType = entryType;
    return CreateItemEntry(parent, std::move(fields));
}

std::size_t RecordsBytes(std::int32_t count) {
    return static_cast<std::size_t>(count) * RecordBytes;
}

// Visits the entries below the node in file order, each before the entries inside it, with
// their depth: at most `remaining` of them and none at depth 100 or more. Stops early when
// `visit` returns false, and then returns false.
template <typename Visit>
bool VisitSavedEntries(const MenuNode& node, int depth, std::int32_t& remaining, Visit& visit) {
    if (depth < 0 || depth >= DepthLimit)
        return true;
    for (std::size_t i = 0; i < node.Count(); ++i) {
        const MenuNode& child = node.Child(i);
        if (!child.Tag())
            continue;
        if (remaining <= 0)
            return true;
        --remaining;
        if (!visit(*child.Tag(), depth))
            return false;
        // Deferred children are commands, never entries.
        if (child.HasMadeChildren() && !VisitSavedEntries(child, depth + 1, remaining, visit))
            return false;
    }
    return true;
}

// ---- Files -------------------------------------------------------------------------------

// The records a save copies and writes at a time: a quarter of a megabyte.
constexpr std::int32_t RecordsPerWrite = 256;

// Copies a category's records into the image, in batches of their own.
class ImageBatches {
  public:
    ImageBatches(SaveImage& image, std::int32_t count) : image_(image), left_(count) {}

    bool Put(const LinkEntry& entry, int depth) {
        if (full_) {
            const std::int32_t size = std::min(left_, RecordsPerWrite);
            image_.batches.push_back(
                {std::unique_ptr<std::uint8_t[]>(new std::uint8_t[RecordsBytes(size)]), 0});
            capacity_ = RecordsBytes(size);
            left_ -= size;
        }
        SaveImage::Batch& batch = image_.batches.back();
        WriteRecord(entry, depth, batch.records.get() + batch.bytes);
        batch.bytes += RecordBytes;
        full_ = batch.bytes == capacity_;
        return true;
    }

  private:
    SaveImage& image_;
    std::int32_t left_; // records of the category not yet given a batch
    std::size_t capacity_ = 0;
    bool full_ = true; // a category starts a batch of its own
};

// Writes records through one buffer, a batch at a time.
class RecordBatches {
  public:
    RecordBatches(FileApi& files, FileHandle file)
        : files_(files), file_(file), buffer_(new std::uint8_t[RecordsBytes(RecordsPerWrite)]) {}

    bool Put(const LinkEntry& entry, int depth) {
        WriteRecord(entry, depth, buffer_.get() + RecordsBytes(used_));
        return ++used_ < RecordsPerWrite || Flush();
    }
    bool Flush() {
        const std::int32_t used = std::exchange(used_, 0);
        return used == 0 || files_.Write(file_, buffer_.get(), RecordsBytes(used));
    }

  private:
    FileApi& files_;
    FileHandle file_;
    std::unique_ptr<std::uint8_t[]> buffer_;
    std::int32_t used_ = 0;
};

bool WriteHead(FileApi& files, FileHandle file,
               const std::array<std::uint8_t, RecordsOffset>& head) {
    return files.Write(file, head.data(), VersionBytes) &&
           files.Write(file, head.data() + VersionBytes, HeaderBytes);
}

bool WriteParts(FileApi& files, FileHandle file, const SaveImage& image) {
    if (!WriteHead(files, file, image.head))
        return false;
    for (const SaveImage::Batch& batch : image.batches)
        if (!files.Write(file, batch.records.get(), batch.bytes))
            return false;
    return true;
}

bool WriteTree(FileApi& files, FileHandle file, const Categories& categories,
               const CategoryCounts& counts) {
    if (!WriteHead(files, file, BuildHead(counts)))
        return false;
    RecordBatches batches(files, file);
    const auto menus = categories.InFileOrder();
    for (std::size_t i = 0; i < CategoryCount; ++i) {
        std::int32_t remaining = counts[i];
        auto put = [&](const LinkEntry& entry, int depth) { return batches.Put(entry, depth); };
        // A category's records end with a write of their own, as in a save from a copy.
        if (!VisitSavedEntries(*menus[i], 0, remaining, put) || !batches.Flush())
            return false;
    }
    return true;
}

// Config2.dat first: while Config.dat is being replaced, Config2.dat already holds the whole
// new tree, and Config.dat still the whole old one.
SaveOutcome ReplaceBoth(const std::optional<ConfigurationPaths>& paths, FileApi& files,
                        const ContentWriter& write) {
    SaveOutcome outcome;
    if (!paths) {
        outcome.reason = "The program's folder is not known.";
        return outcome;
    }
    try {
        FailureNote note(files);
        for (const std::string* path : {&paths->copy, &paths->primary}) {
            outcome.path = *path;
            if (!ReplaceDurably(files, *path, write, note)) {
                outcome.reason = note.Text();
                return outcome;
            }
        }
        outcome.saved = true;
    } catch (...) {
        outcome.saved = false;
    }
    return outcome;
}

enum class CopyState { Missing, Unreadable, Damaged, Partial, Whole };

struct StoredCopy {
    std::string path;
    CopyState state = CopyState::Missing;
    CategoryCounts counts{};
    // As much of the record arrays as could be read. Not a vector: zero-filling 44 MB only
    // for the read to overwrite it costs a tenth of a large load.
    std::unique_ptr<std::uint8_t[]> records;
    std::size_t recordsRead = 0;
};

bool ReadExactly(FileApi& files, FileHandle file, std::uint8_t* buffer, std::size_t size) {
    const auto read = files.Read(file, buffer, size);
    return read && *read == size;
}

void ReadOpenCopy(FileApi& files, FileHandle file, StoredCopy& copy) {
    copy.state = CopyState::Damaged;
    const std::optional<std::uint64_t> size = files.SizeOf(file);
    std::array<std::uint8_t, RecordsOffset> head{};
    if (!ReadExactly(files, file, head.data(), VersionBytes) ||
        !ReadExactly(files, file, head.data() + VersionBytes, HeaderBytes))
        return;
    const auto counts = ReadHeader(head.data(), head.size());
    if (!counts)
        return;
    copy.counts = *counts;
    copy.state = CopyState::Partial;

    const std::uint64_t expected = WholeFileSize(*counts);
    std::uint64_t wanted = expected - RecordsOffset;
    if (size && *size < expected)
        wanted = *size > RecordsOffset ? *size - RecordsOffset : 0; // no buffer for bytes not there
    if (wanted == 0) {
        copy.state = size && *size == expected ? CopyState::Whole : CopyState::Partial;
        return;
    }
    copy.records.reset(new std::uint8_t[static_cast<std::size_t>(wanted)]);
    const auto read = files.Read(file, copy.records.get(), static_cast<std::size_t>(wanted));
    // A failed read leaves no category readable.
    copy.recordsRead = read ? std::min(*read, static_cast<std::size_t>(wanted)) : 0;
    if (size && *size == expected && copy.recordsRead == expected - RecordsOffset)
        copy.state = CopyState::Whole;
}

StoredCopy ReadStoredCopy(FileApi& files, const std::string& path) {
    StoredCopy copy;
    copy.path = path;
    ScopedFile file(files, files.OpenForReading(path));
    if (!file) {
        copy.state = files.Exists(path) ? CopyState::Unreadable : CopyState::Missing;
        return copy;
    }
    ReadOpenCopy(files, file.Get(), copy);
    return copy;
}

// Keeps a file that cannot be loaded whole under a name that says so, so that the next save
// cannot overwrite what the user had. False when it is still in the way.
bool SetAsideIfPresent(FileApi& files, const StoredCopy& copy) {
    return copy.state == CopyState::Missing || SetAsideAsDamaged(files, copy.path);
}

// Each category is rebuilt when all its records were read; the first one cut short stops
// it and every later one. False when creating an entry failed somewhere.
bool RebuildCategories(const Categories& categories, const StoredCopy& copy) {
    const auto menus = categories.InFileOrder();
    bool complete = true;
    std::size_t offset = 0;
    for (std::size_t i = 0; i < CategoryCount; ++i) {
        const std::size_t bytes = RecordsBytes(copy.counts[i]);
        if (offset + bytes > copy.recordsRead && bytes > 0)
            break;
        const std::uint8_t* records = bytes > 0 ? copy.records.get() + offset : nullptr;
        complete &=
            RebuildEntries(*menus[i], records, static_cast<std::size_t>(copy.counts[i]));
        offset += bytes;
    }
    return complete;
}

// ---- Loading a whole copy a batch at a time -----------------------------------------------

// Reading 44 MB into fresh memory costs more than rebuilding the tree from them (under Wine
// ten times as much as reading them a megabyte at a time), and start-up waits for it.
constexpr std::size_t RecordsPerRead = 1024;

// The number of children of each category, to take out what a failed load added.
using ChildCounts = std::array<std::size_t, CategoryCount>;

ChildCounts ChildCountsOf(const Categories& categories) {
    ChildCounts counts{};
    const auto menus = categories.InFileOrder();
    for (std::size_t i = 0; i < CategoryCount; ++i)
        counts[i] = menus[i]->Count();
    return counts;
}

void RemoveAddedEntries(const Categories& categories, const ChildCounts& before) {
    const auto menus = categories.InFileOrder();
    for (std::size_t i = 0; i < CategoryCount; ++i)
        while (menus[i]->Count() > before[i])
            menus[i]->Remove(menus[i]->Child(menus[i]->Count() - 1));
}

// The counts of an open copy when it looks whole: a valid header and exactly the size the
// counts give.
std::optional<CategoryCounts> CountsIfWhole(FileApi& files, FileHandle file) {
    const std::optional<std::uint64_t> size = files.SizeOf(file);
    std::array<std::uint8_t, RecordsOffset> head{};
    if (!size || !ReadExactly(files, file, head.data(), VersionBytes) ||
        !ReadExactly(files, file, head.data() + VersionBytes, HeaderBytes))
        return std::nullopt;
    const auto counts = ReadHeader(head.data(), head.size());
    if (!counts || *size != WholeFileSize(*counts))
        return std::nullopt;
    return counts;
}

// Reads the records of each category in batches into the tree. False when a read failed or
// came short (the file changed under the program); the categories then hold what was added.
bool RebuildInBatches(const Categories& categories, FileApi& files, FileHandle file,
                      const CategoryCounts& counts, bool& complete) {
    std::unique_ptr<std::uint8_t[]> batch(new std::uint8_t[RecordsBytes(RecordsPerRead)]);
    const auto menus = categories.InFileOrder();
    for (std::size_t i = 0; i < CategoryCount; ++i) {
        CategoryRebuild rebuild(*menus[i]);
        for (std::int32_t left = counts[i]; left > 0;) {
            const auto count = std::min<std::int32_t>(left, RecordsPerRead);
            if (!ReadExactly(files, file, batch.get(), RecordsBytes(count)))
                return false;
            rebuild.Add(batch.get(), static_cast<std::size_t>(count));
            left -= count;
        }
        complete &= rebuild.Complete();
    }
    return true;
}

// Whether Config2.dat looks like the Config.dat loaded: whole, with the same counts. Its
// records are not compared: reading them too would double the time a start takes.
bool CopyLooksSame(FileApi& files, const std::string& path, const CategoryCounts& counts) {
    ScopedFile file(files, files.OpenForReading(path));
    return file && CountsIfWhole(files, file.Get()) == counts;
}

// Loads Config.dat when it is whole, without holding all its records at once. Empty when it
// is not whole, or is found not to be while it is read: nothing it added stays, and the load
// goes on as for any copy that may be damaged.
std::optional<LoadReport> LoadWholeInBatches(const Categories& categories, FileApi& files,
                                             const ConfigurationPaths& paths) {
    ScopedFile file(files, files.OpenForReading(paths.primary));
    if (!file)
        return std::nullopt;
    const std::optional<CategoryCounts> counts = CountsIfWhole(files, file.Get());
    if (!counts)
        return std::nullopt;
    const ChildCounts before = ChildCountsOf(categories);
    bool complete = true;
    if (!RebuildInBatches(categories, files, file.Get(), *counts, complete)) {
        RemoveAddedEntries(categories, before);
        return std::nullopt;
    }
    LoadReport report;
    report.valid = true;
    report.upToDate = complete && CopyLooksSame(files, paths.copy, *counts);
    // A tree that lacks records of the file must never be saved over it.
    report.keepStoredFiles = !complete;
    return report;
}

} // namespace

// ---- Tree <-> records --------------------------------------------------------------------

std::int32_t CountEntries(const MenuNode& node, int depth) {
    if (depth < 0 || depth >= DepthLimit)
        return 0;
    std::int32_t count = 0;
    for (std::size_t i = 0; i < node.Count(); ++i) {
        const MenuNode& child = node.Child(i);
        if (!child.Tag())
            continue;
        ++count;
        if (child.HasMadeChildren()) // deferred children are commands, never entries
            count += CountEntries(child, depth + 1);
    }
    return count;
}

void FlattenEntries(const MenuNode& node, int depth, std::int32_t capacity, std::int32_t& next,
                    std::uint8_t* records) {
    if (next < 0 || next >= capacity)
        return;
    std::int32_t remaining = capacity - next;
    auto write = [&](const LinkEntry& entry, int entryDepth) {
        WriteRecord(entry, entryDepth, records + RecordsBytes(next++));
        return true;
    };
    VisitSavedEntries(node, depth, remaining, write);
}

void CategoryRebuild::Add(const std::uint8_t* records, std::size_t count) {
    try {
        for (std::size_t i = 0; i < count && !failed_; ++i)
            AddRecord(records + i * RecordBytes);
    } catch (...) {
        // The entries created so far stay; the rest of the category is left out.
        failed_ = true;
    }
}

void CategoryRebuild::AddRecord(const std::uint8_t* record) {
    const int depth = record[DepthOffset];
    if (depth >= DepthLimit)
        return;
    MenuNode* parent = depth == 0 ? &category_ : lastAtDepth_[static_cast<std::size_t>(depth - 1)];
    if (!parent || !IsSavedLinkKind(record[KindOffset]) ||
        record[EntryTypeOffset] > EntryTypeFolder)
        return;
    lastAtDepth_[static_cast<std::size_t>(depth)] = &CreateFromRecord(*parent, record);
}

bool RebuildEntries(MenuNode& category, const std::uint8_t* records, std::size_t count) {
    CategoryRebuild rebuild(category);
    rebuild.Add(records, count);
    return rebuild.Complete();
}

CategoryCounts CountsToSave(const Categories& categories) {
    CategoryCounts counts{};
    const auto menus = categories.InFileOrder();
    for (std::size_t i = 0; i < CategoryCount; ++i)
        counts[i] = std::min(CountEntries(*menus[i], 0), MaxRecordsPerCategory);
    return counts;
}

std::array<std::uint8_t, RecordsOffset> BuildHead(const CategoryCounts& counts) {
    std::array<std::uint8_t, RecordsOffset> head{};
    PutU32(head.data(), FormatVersion);
    std::uint8_t* header = head.data() + VersionBytes;
    for (std::size_t i = 0; i < CategoryCount; ++i)
        PutU32(header + 4 * i, static_cast<std::uint32_t>(counts[i]));
    // The sixth count and the reserved bytes stay zero.
    header[HeaderMarkerOffset] = 1;
    return head;
}

std::optional<CategoryCounts> ReadHeader(const std::uint8_t* data, std::size_t size) {
    if (size < RecordsOffset || GetU32(data) != FormatVersion)
        return std::nullopt;
    const std::uint8_t* header = data + VersionBytes;
    CategoryCounts counts{};
    for (std::size_t i = 0; i < HeaderCountCount; ++i) {
        const auto count = static_cast<std::int32_t>(GetU32(header + 4 * i));
        if (count < 0 || count > MaxRecordsPerCategory)
            return std::nullopt;
        if (i < CategoryCount)
            counts[i] = count;
    }
    return counts;
}

std::uint64_t WholeFileSize(const CategoryCounts& counts) {
    std::uint64_t size = RecordsOffset;
    for (std::int32_t count : counts)
        size += RecordsBytes(count);
    return size;
}

std::optional<std::string> PathBesideProgram(ProcessApi& process, const std::string& name) {
    std::string directory = DirectoryPart(process.ModuleFileName());
    if (directory.empty())
        return std::nullopt;
    if (directory.back() == '\\')
        directory.pop_back(); // "C:\" becomes "C:", so the files are "C:\Config.dat"
    return directory + "\\" + name;
}

std::optional<ConfigurationPaths> ConfigurationPathsOf(ProcessApi& process) {
    const auto primary = PathBesideProgram(process, PrimaryName);
    if (!primary)
        return std::nullopt;
    return ConfigurationPaths{*primary, *PathBesideProgram(process, CopyName)};
}

std::string DamagedFileName(const std::string& path, int attempt) {
    const std::string name = path + ".damaged";
    return attempt <= 1 ? name : name + "-" + std::to_string(attempt);
}

std::optional<std::string> SetAsideAsDamaged(FileApi& files, const std::string& path) {
    constexpr int attempts = 100;
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        const std::string name = DamagedFileName(path, attempt);
        if (!files.Exists(name))
            return files.RenameKeeping(path, name) ? std::optional<std::string>(name)
                                                   : std::nullopt;
    }
    return std::nullopt;
}

LoadReport LoadConfiguration(const Categories& categories, Platform& platform) {
    LoadReport report;
    try {
        const auto paths = ConfigurationPathsOf(platform.process);
        if (!paths)
            return report;
        FileApi& files = platform.files;
        if (const auto whole = LoadWholeInBatches(categories, files, *paths))
            return *whole;
        StoredCopy primary = ReadStoredCopy(files, paths->primary);
        StoredCopy copy;
        if (primary.state != CopyState::Whole)
            copy = ReadStoredCopy(files, paths->copy);
        const StoredCopy* chosen = primary.state == CopyState::Whole ? &primary
                                   : copy.state == CopyState::Whole  ? &copy
                                                                     : nullptr;
        if (!chosen) {
            const bool primaryKept = SetAsideIfPresent(files, primary);
            const bool copyKept = SetAsideIfPresent(files, copy);
            report.keepStoredFiles = !primaryKept || !copyKept;
            report.setAside =
                primary.state != CopyState::Missing || copy.state != CopyState::Missing;
            chosen = primary.state == CopyState::Partial ? &primary
                     : copy.state == CopyState::Partial  ? &copy
                                                         : nullptr;
        }
        if (!chosen)
            return report;
        report.valid = true;
        // A tree that lacks records of the file must never be saved over it. One read here is
        // not up to date: one of the files was not whole.
        const bool complete = RebuildCategories(categories, *chosen);
        report.keepStoredFiles = report.keepStoredFiles || !complete;
    } catch (...) {
        // Whatever was rebuilt stays; what the files hold is unknown, so they are kept.
        report.keepStoredFiles = true;
    }
    return report;
}

SaveImage TakeSaveImage(const Categories& categories) {
    const CategoryCounts counts = CountsToSave(categories);
    SaveImage image;
    image.head = BuildHead(counts);
    const auto menus = categories.InFileOrder();
    for (std::size_t i = 0; i < CategoryCount; ++i) {
        std::int32_t remaining = counts[i];
        ImageBatches batches(image, counts[i]);
        auto put = [&](const LinkEntry& entry, int depth) { return batches.Put(entry, depth); };
        VisitSavedEntries(*menus[i], 0, remaining, put);
    }
    return image;
}

SaveOutcome WriteSaveImage(const SaveImage& image, const std::optional<ConfigurationPaths>& paths,
                           FileApi& files) {
    try {
        return ReplaceBoth(paths, files, [&image](FileApi& into, FileHandle file) {
            return WriteParts(into, file, image);
        });
    } catch (...) {
        return SaveOutcome{};
    }
}

SaveOutcome WriteConfiguration(const Categories& categories, Platform& platform) {
    try {
        const CategoryCounts counts = CountsToSave(categories);
        return ReplaceBoth(ConfigurationPathsOf(platform.process), platform.files,
                           [&](FileApi& files, FileHandle file) {
                               return WriteTree(files, file, categories, counts);
                           });
    } catch (...) {
        return SaveOutcome{};
    }
}

bool SaveConfiguration(const Categories& categories, Platform& platform) {
    return WriteConfiguration(categories, platform).saved;
}

} // namespace vantrel
