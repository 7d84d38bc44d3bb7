// What a click on each kind of generated row asks of the shell, call by call.
#include "generated/SystemLinkClick.h"
#include "app/MainForm.h"
#include "fakes/FakePlatform.h"
#include "generated/SystemLinks.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using testing::FakePlatform;
using testing::FakeShellFolders;

const std::string Disable = "Wow64DisableWow64FsRedirection";
const std::string Revert = "Wow64RevertWow64FsRedirection cookie=0x5150";

std::string Open(const std::string& file) {
    return "ShellExecuteW verb=open file=" + file + " params= dir=<null> show=1";
}

std::vector<std::string> Folder(int csidl) {
    const std::string id = FakeShellFolders::Csidl(csidl);
    return {"SHGetSpecialFolderLocation " + id,
            "ShellExecuteEx SEE_MASK_IDLIST verb=open show=1 " + id, "ILFree " + id};
}

struct ClickCase {
    const char* what;
    std::uint8_t kind;
    std::uint8_t code;
    std::string target;
    bool wow64;
    std::uint32_t osMajor;
    bool admin;
    std::vector<std::string> calls;
};

class SystemLinkClickTest : public ::testing::TestWithParam<ClickCase> {};

TEST_P(SystemLinkClickTest, AsksTheShellExactlyOnce) {
    const ClickCase& c = GetParam();
    FakePlatform fake;
    fake.process.isWow64 = fake.process.hasDisable = fake.process.hasRevert = c.wow64;
    fake.shell.isAdmin = c.admin;
    // Every folder of the machine exists.
    for (int csidl = 0; csidl < 0x40; ++csidl)
        fake.folders.folders[csidl] = std::nullopt;
    ProcessFacts facts;
    ProbeProcessFacts(facts, fake.process);
    facts.osMajorVersion = c.osMajor;

    MenuNode row("row", -1, Command::SystemLink);
    auto entry = std::make_unique<LinkEntry>();
    entry->kind = c.kind;
    entry->entryType = c.code;
    entry->target = c.target;
    row.SetTag(std::move(entry));
    PopupMenuSystemClick(row, fake.platform, facts);
    EXPECT_EQ(fake.log.calls, c.calls) << c.what;
    EXPECT_EQ(fake.folders.liveIdLists, 0);
}

const std::string T = "C:\\Place";
const std::string Msc = "C:\\Windows\\system32\\services.msc";

ClickCase FolderCase(const char* what, std::uint8_t code, int csidl) {
    return {what, LinkKindSystem, code, T, false, 6, false, Folder(csidl)};
}
ClickCase TargetCase(const char* what, std::uint8_t code) {
    return {what, LinkKindSystem, code, T, true, 6, false, {Open(T)}};
}

INSTANTIATE_TEST_SUITE_P(
    Folders, SystemLinkClickTest,
    ::testing::Values(FolderCase("Admin Tools", 1, 0x2F), FolderCase("Control Panel", 2, 0x03),
                      FolderCase("My Computer", 3, 0x11),
                      FolderCase("Network Neighborhood", 4, 0x12),
                      FolderCase("Network Connections", 5, 0x31), FolderCase("Windows", 10, 0x24),
                      FolderCase("Program Files (x86)", 14, 0x2A),
                      FolderCase("My Documents", 22, 0x05), FolderCase("Desktop", 23, 0x00),
                      ClickCase{"Program Files on 32-bit", LinkKindSystem, 13, "", false, 6, false,
                                Folder(0x26)},
                      ClickCase{"Shared Documents before Vista", LinkKindSystem, 24, T, true, 5,
                                false, Folder(0x2E)}));

INSTANTIATE_TEST_SUITE_P(
    Targets, SystemLinkClickTest,
    ::testing::Values(
        TargetCase("System32", 11), TargetCase("System32 (x86)", 12), TargetCase("Temp", 15),
        TargetCase("System Drive", 16), TargetCase("Documents and Settings", 20),
        TargetCase("My Profile", 21), TargetCase("All Users Profile", 25),
        TargetCase("Program Files on 64-bit", 13), TargetCase("Shared Documents from Vista on", 24),
        ClickCase{"empty target opens nothing", LinkKindSystem, 11, "", true, 6, false, {}},
        ClickCase{
            "a drive opens its root", LinkKindDrive, 1, "C:\\", true, 6, false, {Open("C:\\")}},
        ClickCase{"a drive of another entry type", LinkKindDrive, 0, "C:\\", true, 6, false, {}},
        ClickCase{"unknown code", LinkKindSystem, 6, T, true, 6, true, {}},
        ClickCase{"a user kind", LinkKindFile, 11, T, true, 6, true, {}}));

ClickCase SnapInCase(const char* what, const std::string& target, bool wow64, bool admin,
                     std::vector<std::string> calls) {
    calls.insert(calls.begin(), admin ? "IsUserAnAdmin yes" : "IsUserAnAdmin no");
    return {what, LinkKindSystem, SystemLinkSnapIn, target, wow64, 6, admin, std::move(calls)};
}

std::string RunAs(const std::string& file, const std::string& params) {
    return "ShellExecuteW verb=runas file=" + file + " params=" + params + " dir=<null> show=1";
}

const std::string Blank = "C:\\My Windows\\system32\\a.msc";

INSTANTIATE_TEST_SUITE_P(
    SnapIns, SystemLinkClickTest,
    ::testing::Values(SnapInCase("administrator on 64-bit: open, redirection off", Msc, true, true,
                                 {Disable, Open(Msc), Revert}),
                      SnapInCase("administrator on 32-bit", Msc, false, true, {Open(Msc)}),
                      SnapInCase("administrator, no target: bracket only", "", true, true,
                                 {Disable, Revert}),
                      SnapInCase("user on 64-bit: the console through runas", Msc, true, false,
                                 {RunAs("mmc.exe", Msc)}),
                      SnapInCase("user on 64-bit, a path with a blank arrives whole", Blank, true,
                                 false, {RunAs("mmc.exe", "\"" + Blank + "\"")}),
                      SnapInCase("user on 32-bit: the snap-in through runas", Msc, false, false,
                                 {RunAs(Msc, "")}),
                      SnapInCase("user, no target", "", true, false, {})));

TEST(SystemLinkClickTest, AMissingFolderOpensNothing) {
    FakePlatform fake;
    OpenSpecialFolder(FolderConnections, fake.folders);
    EXPECT_EQ(fake.log.calls, (std::vector<std::string>{"SHGetSpecialFolderLocation " +
                                                        FakeShellFolders::Csidl(0x31)}));
}

TEST(SystemLinkClickTest, TheMainFormDispatchesBuiltRowsAndIgnoresSeparators) {
    FakePlatform fake;
    fake.folders.folders[FolderDesktop] = "C:\\Users\\me\\Desktop";
    fake.icons.byIdList[fake.folders.IdListOf(FolderDesktop)] = testing::FakeIcons::Solid(1, 1, 1);
    MainForm form(fake.platform);
    form.FormCreate();
    MenuNode& system = form.PopupMenuSystem();
    ASSERT_EQ(system.Count(), 3u);
    fake.log.calls.clear();
    form.MenuItemClick(system.Child(0)); // a separator
    form.MenuItemClick(system.Child(2)); // "Desktop"
    EXPECT_EQ(fake.log.calls, Folder(FolderDesktop));
}

} // namespace
} // namespace vantrel
