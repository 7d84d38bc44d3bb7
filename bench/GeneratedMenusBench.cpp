// What the menu thread spends on the generated menus besides the shell's own lookups:
// rebuilding Disk Drives before every left-click showing, and the System Links catalogue
// at start-up (which asks only whether each place exists). Every place exists and every
// drive's icon is a full 16 x 16 picture to convert.
#include "fakes/FakePlatform.h"
#include "generated/DiskDrives.h"
#include "generated/SystemLinks.h"

#include <benchmark/benchmark.h>

namespace vantrel {
namespace {

RawIcon OpaqueIcon() {
    RawIcon icon;
    icon.colourRead = icon.maskRead = true;
    icon.colour.fill(0x80); // no alpha byte of zero: kept as it is
    return icon;
}

// Every place exists.
struct AllThere : testing::FakeFiles {
    using FakeFiles::FakeFiles;
    bool Exists(const std::string&) override { return true; }
};

// Quick answers for everything the builders ask on their hot path; the recording fakes
// for the rest, which the builders never call.
struct Everywhere : ProcessApi, IconApi, ShellFoldersApi, DrivesApi {
    std::uint32_t mask = (1u << 26) - 1;
    DriveType type = DriveType::Fixed;
    int slot = 0;
    testing::FakePlatform fake;

    bool InitializeCom() override { return true; }
    void UninitializeCom() override {}
    bool QueryIsWow64() override { return true; }
    bool HasDisableRedirection() override { return true; }
    bool HasRevertRedirection() override { return true; }
    void DisableRedirection(RedirectionCookie*) override {}
    void RevertRedirection(RedirectionCookie) override {}
    std::uint32_t GetVersion() override { return 6; }
    std::string WindowsDirectory() override { return "C:\\Windows"; }
    std::string ModuleFileName() override { return "C:\\Vantrel.exe"; }
    void Sleep(unsigned) override {}
    std::optional<RawIcon> SmallIconOfPath(const std::string&, TextEncoding, int) override { return OpaqueIcon(); }
    std::optional<RawIcon> SmallIconOfIdList(const void*, int) override { return OpaqueIcon(); }
    ItemIdList SpecialFolderLocation(int) override { return ItemIdList(&slot, *this); }
    std::optional<std::string> PathFromIdList(const void*) override {
        return "C:\\Users\\me\\Documents";
    }
    bool OpenIdList(const void*) override { return true; }
    void FreeIdList(const void*) override {}
    std::string SystemDirectory() override { return "C:\\Windows\\system32"; }
    std::string SystemWindowsDirectory() override { return "C:\\Windows"; }
    std::string TempPath() override { return "C:\\Temp\\"; }
    std::uint32_t LogicalDrives() override { return mask; }
    DriveType TypeOfDrive(const std::string&) override { return type; }
    bool RequestIconInBackground(const std::string&, int, IconDone) override { return true; }

    AllThere files{fake.log};
    Platform platform =
        fake.With().Process(*this).Icons(*this).Folders(*this).Drives(*this).Files(files);
};

void BM_RebuildDiskDrives26(benchmark::State& state) {
    Everywhere machine;
    machine.type = state.range(0) ? DriveType::Remote : DriveType::Fixed;
    MenuNode disks;
    DriveIconRequests requests;
    for (auto _ : state) {
        BuildDiskDrivesMenu(disks, machine.platform, requests);
        benchmark::DoNotOptimize(disks.Count());
    }
}
// 0: 26 fixed drives, icons converted on the menu thread; 1: 26 network drives, icons
// asked for in the background.
BENCHMARK(BM_RebuildDiskDrives26)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_BuildSystemLinks(benchmark::State& state) {
    Everywhere machine;
    ProcessFacts facts;
    ProbeProcessFacts(facts, machine);
    for (auto _ : state) {
        MenuNode menu;
        BuildSystemLinksMenu(menu, machine.platform, facts);
        benchmark::DoNotOptimize(menu.Count());
    }
}
BENCHMARK(BM_BuildSystemLinks)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace vantrel
