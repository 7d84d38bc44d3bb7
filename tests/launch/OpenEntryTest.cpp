#include "fakes/FakePlatform.h"
#include "launch/OpenEntry.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using testing::FakePlatform;

struct ExpandCase {
    const char* what;
    std::string windowsDirectory;
    std::string target;
    std::size_t driveLength;
    std::string expanded;
};

class ExpandSystemPrefixTest : public ::testing::TestWithParam<ExpandCase> {};

TEST_P(ExpandSystemPrefixTest, ReplacesOneLeadingToken) {
    const ExpandCase& c = GetParam();
    FakePlatform fake;
    fake.process.windowsDirectory = c.windowsDirectory;
    EXPECT_EQ(ExpandSystemPrefix(c.target, c.driveLength, fake.process), c.expanded) << c.what;
}

const std::string Win = "C:\\Windows";
const std::string TooLong = "C:\\" + std::string(278, 'w'); // 281 characters

INSTANTIATE_TEST_SUITE_P(
    Cases, ExpandSystemPrefixTest,
    ::testing::Values(
        ExpandCase{"empty", Win, "", 2, ""},
        ExpandCase{"no token", Win, "C:\\x.exe", 2, "C:\\x.exe"},
        ExpandCase{"SystemRoot", Win, "%SystemRoot%\\notepad.exe", 2, "C:\\Windows\\notepad.exe"},
        ExpandCase{"systemroot", Win, "%systemroot%\\a", 3, "C:\\Windows\\a"},
        ExpandCase{"SYSTEMROOT stays", Win, "%SYSTEMROOT%\\a", 2, "%SYSTEMROOT%\\a"},
        ExpandCase{"Systemroot stays", Win, "%Systemroot%\\a", 2, "%Systemroot%\\a"},
        ExpandCase{"windir", Win, "%windir%\\a", 2, "C:\\Windows\\a"},
        ExpandCase{"WinDir", Win, "%WinDir%\\a", 2, "C:\\Windows\\a"},
        ExpandCase{"WINDIR stays", Win, "%WINDIR%\\a", 2, "%WINDIR%\\a"},
        ExpandCase{"SystemDrive for an application", Win, "%SystemDrive%\\Tools\\t.exe", 2,
                   "C:\\Tools\\t.exe"},
        ExpandCase{"SystemDrive for a file keeps two backslashes", Win, "%SystemDrive%\\Tools", 3,
                   "C:\\\\Tools"},
        ExpandCase{"systemdrive alone is the root for a file", Win, "%systemdrive%", 3, "C:\\"},
        ExpandCase{"SYSTEMDRIVE stays", Win, "%SYSTEMDRIVE%\\a", 2, "%SYSTEMDRIVE%\\a"},
        ExpandCase{"token not at the start stays", Win, "x%SystemRoot%", 2, "x%SystemRoot%"},
        ExpandCase{"only one token", Win, "%SystemRoot%%windir%", 2, "C:\\Windows%windir%"},
        ExpandCase{"windir then SystemDrive: only the first", Win, "%windir%%SystemDrive%",
                   2, "C:\\Windows%SystemDrive%"},
        ExpandCase{"directory unknown: token stays", "", "%SystemRoot%\\a", 2, "%SystemRoot%\\a"},
        ExpandCase{"directory unknown: SystemDrive stays", "", "%SystemDrive%", 3,
                   "%SystemDrive%"},
        ExpandCase{"directory did not fit: token stays", TooLong, "%windir%\\a", 2,
                   "%windir%\\a"},
        ExpandCase{"directory of 280 characters fits", "C:\\" + std::string(277, 'w'),
                   "%windir%", 2, "C:\\" + std::string(277, 'w')},
        ExpandCase{"directory no longer than the drive: token stays", "C:\\", "%SystemDrive%",
                   3, "%SystemDrive%"},
        ExpandCase{"a failed SystemRoot does not fall through to others", "", "%SystemRoot%",
                   2, "%SystemRoot%"}));

TEST(ThroughSysnativeTest, OnlyFilesBelowTheSystemDirectoryTakeTheAlias) {
    const std::string system = "C:\\Windows\\system32";
    const struct {
        const char* path;
        const char* read;
    } cases[] = {
        {"C:\\Windows\\system32\\notepad.exe", "C:\\Windows\\Sysnative\\notepad.exe"},
        {"c:/WINDOWS/System32/drivers\\etc", "C:\\Windows\\Sysnative/drivers\\etc"},
        {"C:\\Windows\\system32", "C:\\Windows\\system32"},     // the folder itself
        {"C:\\Windows\\system32\\", "C:\\Windows\\system32\\"}, // likewise
        {"C:\\Windows\\system32x\\a.exe", "C:\\Windows\\system32x\\a.exe"},
        {"C:\\Windows\\notepad.exe", "C:\\Windows\\notepad.exe"},
        {"D:\\Windows\\system32\\a.exe", "D:\\Windows\\system32\\a.exe"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ThroughSysnative(c.path, system), c.read) << c.path;
    EXPECT_EQ(ThroughSysnative("C:\\a\\b.exe", "C:"), "C:\\a\\b.exe"); // no parent folder
}

// Launches, with WOW64 and both redirection functions present so the bracket shows.
struct LaunchCase {
    const char* what;
    std::uint8_t kind;
    std::uint8_t entryType;
    std::string target;
    std::string parameters;
    std::string workDir;
    std::uint8_t runAsAdmin;
    bool isAdmin;
    std::vector<std::string> calls;
};

const std::string Suspend = "Wow64DisableWow64FsRedirection";
const std::string Restore = "Wow64RevertWow64FsRedirection cookie=0x5150";

std::vector<std::string> Bracketed(const std::string& call) { return {Suspend, call, Restore}; }

std::vector<std::string> Plus(std::vector<std::string> first, const std::vector<std::string>& then) {
    first.insert(first.end(), then.begin(), then.end());
    return first;
}

class OpenEntryTest : public ::testing::TestWithParam<LaunchCase> {};

TEST_P(OpenEntryTest, MakesExactlyTheseCalls) {
    const LaunchCase& c = GetParam();
    FakePlatform fake;
    fake.process.isWow64 = fake.process.hasDisable = fake.process.hasRevert = true;
    fake.shell.isAdmin = c.isAdmin;
    ProcessFacts facts;
    ProbeProcessFacts(facts, fake.process);

    LinkEntry entry;
    entry.kind = c.kind;
    entry.entryType = c.entryType;
    entry.target = c.target;
    entry.parameters = c.parameters;
    entry.workDir = c.workDir;
    entry.runAsAdmin = c.runAsAdmin;
    entry.title = "title";
    OpenEntry(entry, fake.platform, facts);

    EXPECT_EQ(fake.log.calls, c.calls) << c.what;
    EXPECT_EQ(entry.target, c.target) << "the stored entry never changes";
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, OpenEntryTest,
    ::testing::Values(
        LaunchCase{"split, null directory, bracketed", LinkKindRun, 1, "ping  -t 127.0.0.1", "p",
                   "w", 0, false,
                   Bracketed("ShellExecute verb=open file=ping params=-t 127.0.0.1 dir=<null> "
                             "show=1")},
        LaunchCase{"no parameters: empty, not null", LinkKindRun, 1, "calc", "", "", 0, false,
                   Bracketed("ShellExecute verb=open file=calc params= dir=<null> show=1")},
        LaunchCase{"tab starts the parameters", LinkKindRun, 1, "cmd\t/k", "", "", 0, false,
                   Bracketed("ShellExecute verb=open file=cmd params=\t/k dir=<null> show=1")},
        LaunchCase{"elevated without rights: runas, no bracket", LinkKindRun, 1, "cmd /k", "",
                   "", 1, false,
                   {"IsUserAnAdmin no",
                    "ShellExecute verb=runas file=cmd params=/k dir=<null> show=1"}},
        LaunchCase{"elevated with rights: open, bracketed", LinkKindRun, 1, "cmd /k", "", "", 1,
                   true,
                   Plus({"IsUserAnAdmin yes"},
                        Bracketed("ShellExecute verb=open file=cmd params=/k dir=<null> "
                                  "show=1"))},
        LaunchCase{"tokens are not expanded", LinkKindRun, 1, "%SystemRoot%\\x.exe", "", "", 0,
                   false,
                   Bracketed("ShellExecute verb=open file=%SystemRoot%\\x.exe params= "
                             "dir=<null> show=1")},
        LaunchCase{"leading space starts nothing", LinkKindRun, 1, " cmd", "", "", 1, false, {}},
        LaunchCase{"empty starts nothing", LinkKindRun, 1, "", "", "", 0, false, {}},
        LaunchCase{"a group starts nothing", LinkKindRun, 0, "cmd", "", "", 0, false, {}},
        LaunchCase{"entry type 2 starts nothing", LinkKindRun, 2, "cmd", "", "", 0, false,
                   {}}));

INSTANTIATE_TEST_SUITE_P(
    Applications, OpenEntryTest,
    ::testing::Values(
        LaunchCase{"parameters and directory as stored", LinkKindApplication, 1,
                   "C:\\Tools\\t.exe", "-a  \"b c\"", "C:\\Work", 0, false,
                   Bracketed("ShellExecute verb=open file=C:\\Tools\\t.exe params=-a  \"b c\" "
                             "dir=C:\\Work show=1")},
        LaunchCase{"empty parameters and directory stay empty strings", LinkKindApplication, 1,
                   "calc.exe", "", "", 0, false,
                   Bracketed("ShellExecute verb=open file=calc.exe params= dir= show=1")},
        LaunchCase{"SystemRoot expanded", LinkKindApplication, 1, "%SystemRoot%\\notepad.exe",
                   "", "", 0, false,
                   Bracketed("ShellExecute verb=open file=C:\\Windows\\notepad.exe params= dir= "
                             "show=1")},
        LaunchCase{"capital token passed unexpanded", LinkKindApplication, 1,
                   "%SYSTEMROOT%\\notepad.exe", "", "", 0, false,
                   Bracketed("ShellExecute verb=open file=%SYSTEMROOT%\\notepad.exe params= dir= "
                             "show=1")},
        LaunchCase{"SystemDrive gives letter and colon", LinkKindApplication, 1,
                   "%SystemDrive%\\T\\t.exe", "", "", 0, false,
                   Bracketed("ShellExecute verb=open file=C:\\T\\t.exe params= dir= show=1")},
        LaunchCase{"runas without rights, no bracket", LinkKindApplication, 1, "mmc.exe",
                   "x.msc", "", 1, false,
                   {"IsUserAnAdmin no",
                    "ShellExecute verb=runas file=mmc.exe params=x.msc dir= show=1"}},
        LaunchCase{"opened whatever the entry type", LinkKindApplication, 7, "a.exe", "", "", 0,
                   false, Bracketed("ShellExecute verb=open file=a.exe params= dir= show=1")},
        LaunchCase{"empty target starts nothing", LinkKindApplication, 1, "", "p", "d", 1, false,
                   {}}));

INSTANTIATE_TEST_SUITE_P(
    Links, OpenEntryTest,
    ::testing::Values(
        LaunchCase{"network: as stored, empty strings, no bracket", LinkKindNetwork, 1,
                   "\\\\server\\share", "ignored", "ignored", 1, false,
                   {"ShellExecute verb=open file=\\\\server\\share params= dir= show=1"}},
        LaunchCase{"internet: as stored, no bracket, no elevation", LinkKindInternet, 1,
                   "http://www.example.com/a b", "", "", 1, false,
                   {"ShellExecute verb=open file=http://www.example.com/a b params= dir= show=1"}},
        LaunchCase{"internet token not expanded", LinkKindInternet, 1, "%SystemRoot%", "", "", 0,
                   false, {"ShellExecute verb=open file=%SystemRoot% params= dir= show=1"}},
        LaunchCase{"empty network target", LinkKindNetwork, 1, "", "", "", 0, false, {}}));

INSTANTIATE_TEST_SUITE_P(
    FilesAndFolders, OpenEntryTest,
    ::testing::Values(
        LaunchCase{"file, bracketed, no elevation", LinkKindFile, 1, "C:\\a.txt", "p", "d", 1,
                   false, Bracketed("ShellExecute verb=open file=C:\\a.txt params= dir= show=1")},
        LaunchCase{"folder", LinkKindFile, 2, "C:\\Data", "", "", 0, false,
                   Bracketed("ShellExecute verb=open file=C:\\Data params= dir= show=1")},
        LaunchCase{"SystemDrive alone opens the drive's root", LinkKindFile, 2, "%SystemDrive%",
                   "", "", 0, false,
                   Bracketed("ShellExecute verb=open file=C:\\ params= dir= show=1")},
        LaunchCase{"SystemDrive then a name keeps both backslashes", LinkKindFile, 2,
                   "%SystemDrive%\\Data", "", "", 0, false,
                   Bracketed("ShellExecute verb=open file=C:\\\\Data params= dir= show=1")},
        LaunchCase{"empty file target", LinkKindFile, 1, "", "", "", 0, false, {}}));

INSTANTIATE_TEST_SUITE_P(
    OtherKinds, OpenEntryTest,
    ::testing::Values(LaunchCase{"drive row", LinkKindDrive, 1, "C:\\", "", "", 0, false, {}},
                      LaunchCase{"system row", LinkKindSystem, 1, "x", "", "", 0, false, {}},
                      LaunchCase{"unknown kind 2", 2, 1, "x", "", "", 0, false, {}},
                      LaunchCase{"unknown kind 8", 8, 1, "x", "", "", 0, false, {}}));

TEST(OpenEntryBracketTest, OutsideWow64NoRedirectionCallIsMade) {
    FakePlatform fake;
    fake.process.hasDisable = fake.process.hasRevert = true;
    ProcessFacts facts;
    ProbeProcessFacts(facts, fake.process);
    LinkEntry entry;
    entry.kind = LinkKindFile;
    entry.entryType = EntryTypeItem;
    entry.target = "C:\\a.txt";
    OpenEntry(entry, fake.platform, facts);
    EXPECT_EQ(fake.log.calls, (std::vector<std::string>{
                                  "ShellExecute verb=open file=C:\\a.txt params= dir= show=1"}));
}

TEST(OpenEntryBracketTest, RedirectionIsRestoredWhenTheLaunchThrows) {
    struct ThrowingShell : testing::FakeShell {
        using FakeShell::FakeShell;
        std::intptr_t Execute(const ShellLaunch& launch) override {
            FakeShell::Execute(launch);
            throw std::bad_alloc();
        }
    };
    FakePlatform fake;
    ThrowingShell shell(fake.log);
    Platform platform = fake.With().Shell(shell);
    fake.process.isWow64 = fake.process.hasDisable = fake.process.hasRevert = true;
    ProcessFacts facts;
    ProbeProcessFacts(facts, fake.process);
    LinkEntry entry;
    entry.kind = LinkKindApplication;
    entry.entryType = EntryTypeItem;
    entry.target = "a.exe";
    EXPECT_THROW(OpenEntry(entry, platform, facts), std::bad_alloc);
    EXPECT_EQ(fake.log.calls.back(), Restore);
}

} // namespace
} // namespace vantrel
