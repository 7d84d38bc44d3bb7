// Saving and loading a tree of 50,000 entries (10,000 per category, nested up to depth 99 in
// places), next to a plain write and read of a buffer of the same size on the same disk.
// The shell is never asked for icons: that part of rebuilding is faked.
//
//   cmake -S . -B build/release -G Ninja -DVANTREL_SANITIZE=OFF -DCMAKE_BUILD_TYPE=Release
//   cmake --build build/release --target vantrel_bench -j2
//   build/release/bench/vantrel_bench --benchmark_filter=Config
//
// Importing the same tree from a bookmarks file exported from it is measured beside its load
// (--benchmark_filter=ImportVersusLoad).

#include "app/MenuLayout.h"
#include "fakes/FakePlatform.h"
#include "support/LargeTree.h"
#include "platform/Platform.h"
#include "tree/Configuration.h"
#include "tree/Entries.h"
#include "transfer/BookmarkReader.h"
#include "transfer/BookmarkWriter.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace vantrel;

// ---- The platform: real files, everything else inert -------------------------------------

std::string Native(const std::string& path) {
    std::string native = path;
    std::replace(native.begin(), native.end(), '\\', '/');
    return native;
}

int Fd(FileHandle file) {
    return static_cast<int>(file) - 1;
}
FileHandle Handle(int fd) {
    return fd < 0 ? NoFile : static_cast<FileHandle>(fd + 1);
}

class PosixFiles : public FileApi {
  public:
    FileHandle CreateForWriting(const std::string& path) override {
        return Handle(::open(Native(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644));
    }
    FileHandle OpenForReading(const std::string& path) override {
        return Handle(::open(Native(path).c_str(), O_RDONLY));
    }
    bool Write(FileHandle file, const std::uint8_t* data, std::size_t size) override {
        for (std::size_t done = 0; done < size;) {
            const ssize_t written = ::write(Fd(file), data + done, size - done);
            if (written <= 0)
                return false;
            done += static_cast<std::size_t>(written);
        }
        return true;
    }
    std::optional<std::size_t> Read(FileHandle file, std::uint8_t* buffer,
                                    std::size_t size) override {
        std::size_t done = 0;
        while (done < size) {
            const ssize_t read = ::read(Fd(file), buffer + done, size - done);
            if (read < 0)
                return std::nullopt;
            if (read == 0)
                break;
            done += static_cast<std::size_t>(read);
        }
        return done;
    }
    bool Flush(FileHandle file) override { return ::fsync(Fd(file)) == 0; }
    bool TruncateHere(FileHandle file) override {
        const off_t position = ::lseek(Fd(file), 0, SEEK_CUR);
        return position >= 0 && ::ftruncate(Fd(file), position) == 0;
    }
    bool Close(FileHandle file) override { return ::close(Fd(file)) == 0; }
    std::optional<std::uint64_t> SizeOf(FileHandle file) override {
        struct stat info {};
        if (::fstat(Fd(file), &info) != 0)
            return std::nullopt;
        return static_cast<std::uint64_t>(info.st_size);
    }
    bool RenameReplacing(const std::string& from, const std::string& to) override {
        return ::rename(Native(from).c_str(), Native(to).c_str()) == 0;
    }
    bool RenameKeeping(const std::string& from, const std::string& to) override {
        return !Exists(to) && RenameReplacing(from, to);
    }
    bool Remove(const std::string& path) override { return ::unlink(Native(path).c_str()) == 0; }
    bool Exists(const std::string& path) override {
        return ::access(Native(path).c_str(), F_OK) == 0;
    }
    std::string LastErrorText() override { return std::strerror(errno); }
};

class InertProcess : public ProcessApi {
  public:
    explicit InertProcess(std::string directory) : directory_(std::move(directory)) {}
    bool InitializeCom() override { return true; }
    void UninitializeCom() override {}
    bool QueryIsWow64() override { return false; }
    bool HasDisableRedirection() override { return false; }
    bool HasRevertRedirection() override { return false; }
    void DisableRedirection(RedirectionCookie*) override {}
    void RevertRedirection(RedirectionCookie) override {}
    std::uint32_t GetVersion() override { return 6; }
    std::string WindowsDirectory() override { return "C:\\Windows"; }
    std::string ModuleFileName() override { return directory_ + "\\Vantrel.exe"; }
    void Sleep(unsigned) override {}

  private:
    std::string directory_;
};

// The shell has no icon for anything: rebuilding pays for asking, not for decoding icons.
class NoIcons : public IconApi {
  public:
    std::optional<RawIcon> SmallIconOfPath(const std::string&, TextEncoding, int) override { return std::nullopt; }
    std::optional<RawIcon> SmallIconOfIdList(const void*, int) override { return std::nullopt; }
};

// Every target lies on a fixed disk, so every icon is asked for at once.
class FixedDrives : public DrivesApi {
  public:
    std::uint32_t LogicalDrives() override { return 1u << 2; }
    DriveType TypeOfDrive(const std::string&) override { return DriveType::Fixed; }
    bool RequestIconInBackground(const std::string&, int, IconDone) override { return false; }
};

// Real files and quick answers where the load and save ask; the recording fakes for the
// rest, which they never call.
struct BenchPlatform {
    explicit BenchPlatform(const std::string& directory) : process(directory) {}
    InertProcess process;
    NoIcons icons;
    FixedDrives drives;
    PosixFiles files;
    testing::FakePlatform fake;
    Platform platform = fake.With().Process(process).Icons(icons).Drives(drives).Files(files);
};

struct Fixture {
    std::string directory;
    std::unique_ptr<BenchPlatform> bench;
    MainMenuLayout tree = BuildPopupMenuMain();
    std::uint64_t fileBytes = 0;

    Fixture() {
        char name[] = "/tmp/vantrel-bench-XXXXXX";
        if (!::mkdtemp(name))
            throw std::runtime_error("no temporary directory");
        directory = name;
        bench = std::make_unique<BenchPlatform>(directory);
        testing::FillLargeTree(tree.categories);
        if (!SaveConfiguration(tree.categories, bench->platform))
            throw std::runtime_error("the first save failed");
        if (!ExportBookmarks(tree.categories, Path("Bookmarks.html"), bench->platform).written)
            throw std::runtime_error("the export failed");
        struct stat info {};
        ::stat((directory + "/Config.dat").c_str(), &info);
        fileBytes = static_cast<std::uint64_t>(info.st_size);
    }
    ~Fixture() {
        for (const char* name : {"Config.dat", "Config2.dat", "plain.dat", "Bookmarks.html"})
            ::unlink(Path(name).c_str());
        ::rmdir(directory.c_str());
    }
    Fixture(const Fixture&) = delete;
    Fixture& operator=(const Fixture&) = delete;
    Platform& platform() { return bench->platform; }
    std::string Path(const char* name) const { return directory + "/" + name; }
};

Fixture& TheFixture() {
    static Fixture fixture;
    return fixture;
}

// ---- The plain operations we compare with -------------------------------------------------

void PlainWrite(const std::string& path, const std::vector<std::uint8_t>& bytes, bool sync) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (sync)
        ::fsync(fd);
    ::close(fd);
    benchmark::DoNotOptimize(written);
}

std::vector<std::uint8_t> PlainRead(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    struct stat info {};
    ::fstat(fd, &info);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size));
    const ssize_t read = ::read(fd, bytes.data(), bytes.size());
    ::close(fd);
    benchmark::DoNotOptimize(read);
    return bytes;
}

std::size_t HeapInUse() {
    const struct mallinfo2 info = ::mallinfo2();
    return info.uordblks + info.hblkhd;
}

std::size_t ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    std::size_t size = 0, resident = 0;
    statm >> size >> resident;
    return resident * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
}

void ConfigSave(benchmark::State& state) {
    Fixture& f = TheFixture();
    for (auto _ : state)
        if (!SaveConfiguration(f.tree.categories, f.platform()))
            state.SkipWithError("save failed");
    state.counters["file_MB"] = static_cast<double>(f.fileBytes) / 1e6;
}

// What the user-interface thread spends on a save: the copy of the records; the writing is
// done on the save thread.
void ConfigTakeSaveImage(benchmark::State& state) {
    Fixture& f = TheFixture();
    for (auto _ : state)
        benchmark::DoNotOptimize(TakeSaveImage(f.tree.categories));
}

void ConfigPlainWrite(benchmark::State& state) {
    Fixture& f = TheFixture();
    const std::vector<std::uint8_t> bytes(f.fileBytes, 0x5A);
    const bool sync = state.range(0) != 0;
    for (auto _ : state)
        PlainWrite(f.Path("plain.dat"), bytes, sync);
}

void ConfigLoadAndRebuild(benchmark::State& state) {
    Fixture& f = TheFixture();
    std::size_t treeHeap = 0;
    std::size_t treeResident = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto menus = std::make_unique<MainMenuLayout>(BuildPopupMenuMain());
        const std::size_t heapBefore = HeapInUse();
        const std::size_t residentBefore = ResidentBytes();
        state.ResumeTiming();
        if (!LoadConfiguration(menus->categories, f.platform()).valid)
            state.SkipWithError("load failed");
        state.PauseTiming();
        treeHeap = HeapInUse() - heapBefore;
        treeResident = ResidentBytes() - std::min(ResidentBytes(), residentBefore);
        if (CountEntries(*menus->categories.files, 0) != testing::LargeTreeEntriesPerCategory)
            state.SkipWithError("not every entry came back");
        menus.reset();
        ::malloc_trim(0);
        state.ResumeTiming();
    }
    state.counters["tree_heap_MB"] = static_cast<double>(treeHeap) / 1e6;
    state.counters["tree_rss_MB"] = static_cast<double>(treeResident) / 1e6;
    state.counters["heap_per_file_byte"] =
        static_cast<double>(treeHeap) / static_cast<double>(f.fileBytes);
}

void ConfigPlainRead(benchmark::State& state) {
    Fixture& f = TheFixture();
    for (auto _ : state)
        benchmark::DoNotOptimize(PlainRead(f.Path("Config.dat")));
}

double ThreadSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The processor time the work took on this thread: other programs running meanwhile do not
// count, so the two times compare on a busy machine too.
template <typename Work>
double SecondsOf(Work&& work) {
    const double start = ThreadSeconds();
    work();
    return ThreadSeconds() - start;
}

// Importing the tree's own bookmarks export into empty categories next to loading the same
// tree from Config.dat, one after the other in every iteration. import_per_load is the ratio
// of their times; it must stay at most 2.
void ConfigImportVersusLoad(benchmark::State& state) {
    Fixture& f = TheFixture();
    double load = 0;
    double import = 0;
    for (auto _ : state) {
        // Each starts from the same heap: a fresh layout, the tree before it freed and trimmed.
        auto loaded = std::make_unique<MainMenuLayout>(BuildPopupMenuMain());
        load += SecondsOf([&] { LoadConfiguration(loaded->categories, f.platform()); });
        loaded.reset();
        ::malloc_trim(0);
        auto imported = std::make_unique<MainMenuLayout>(BuildPopupMenuMain());
        import += SecondsOf([&] {
            ImportOutcome outcome =
                PrepareBookmarksImport(f.Path("Bookmarks.html"), imported->categories, f.platform());
            if (!outcome.prepared || !outcome.prepared->AttachTo(imported->categories))
                state.SkipWithError("import failed");
        });
        if (CountEntries(*imported->categories.files, 0) != testing::LargeTreeEntriesPerCategory)
            state.SkipWithError("not every entry came back");
        imported.reset();
        ::malloc_trim(0);
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["load_ms"] = load / runs * 1e3;
    state.counters["import_ms"] = import / runs * 1e3;
    state.counters["import_per_load"] = import / load;
}

BENCHMARK(ConfigSave)->Unit(benchmark::kMillisecond);
BENCHMARK(ConfigTakeSaveImage)->Unit(benchmark::kMillisecond);
BENCHMARK(ConfigPlainWrite)->Arg(1)->Arg(0)->ArgName("fsync")->Unit(benchmark::kMillisecond);
BENCHMARK(ConfigLoadAndRebuild)->Unit(benchmark::kMillisecond);
BENCHMARK(ConfigPlainRead)->Unit(benchmark::kMillisecond);
BENCHMARK(ConfigImportVersusLoad)->Unit(benchmark::kMillisecond);

} // namespace
