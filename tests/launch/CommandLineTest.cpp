#include "fakes/FakePlatform.h"
#include "launch/CommandLine.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

struct SplitCase {
    const char* what;
    std::string commandLine;
    std::string program;
    std::string parameters;
};

class SplitCommandLineTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandLineTest, SplitsAtTheFirstBlankOrControlCharacter) {
    const SplitCase& c = GetParam();
    const CommandLineParts parts = SplitCommandLine(c.commandLine);
    EXPECT_EQ(parts.program, c.program) << c.what;
    EXPECT_EQ(parts.parameters, c.parameters) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitCommandLineTest,
    ::testing::Values(
        SplitCase{"empty", "", "", ""},
        SplitCase{"program alone", "notepad.exe", "notepad.exe", ""},
        SplitCase{"ping", "ping -t 127.0.0.1", "ping", "-t 127.0.0.1"},
        SplitCase{"two spaces are skipped", "ping  -t", "ping", "-t"},
        SplitCase{"a tab is kept", "ping\t-t", "ping", "\t-t"},
        SplitCase{"spaces then tab: only the spaces go", "ping  \t -t", "ping", "\t -t"},
        SplitCase{"trailing blanks stay", "ping -t  ", "ping", "-t  "},
        SplitCase{"only blanks after the program", "ping   ", "ping", ""},
        SplitCase{"leading space: no program", " ping -t", "", "ping -t"},
        SplitCase{"quotes mean nothing", "\"C:\\Program Files\\x.exe\" /a",
                  "\"C:\\Program", "Files\\x.exe\" /a"},
        SplitCase{"control character ends the program", "run\x01" "a", "run", "\x01" "a"},
        SplitCase{"embedded zero ends the program", std::string("run\0a", 5), "run",
                  std::string("\0a", 2)},
        SplitCase{"DEL is not a control character here", "a\x7F" "b c", "a\x7F" "b", "c"},
        // Bytes of 128 and above are text of the ANSI code page and never end the program.
        SplitCase{"code page 1252 letter", "C:\\M\xFCller\\run.exe /x",
                  "C:\\M\xFCller\\run.exe", "/x"},
        SplitCase{"no-break space is text", "a\xA0" "b c", "a\xA0" "b", "c"},
        SplitCase{"byte 255", "\xFF\xFF x", "\xFF\xFF", "x"},
        SplitCase{"Shift-JIS character with a backslash trail byte", "C:\\\x95\x5C.exe -a",
                  "C:\\\x95\x5C.exe", "-a"}));

struct VerbCase {
    std::uint8_t runAsAdmin;
    bool isAdmin;
    const char* verb;
    bool asksTheShell;
};

class LaunchVerbTest : public ::testing::TestWithParam<VerbCase> {};

TEST_P(LaunchVerbTest, ElevatesOnlyWhenAskedAndNotAlreadyAdministrator) {
    const VerbCase& c = GetParam();
    testing::FakePlatform fake;
    fake.shell.isAdmin = c.isAdmin;
    EXPECT_EQ(LaunchVerb(c.runAsAdmin, fake.shell), c.verb);
    EXPECT_EQ(fake.log.Matching("IsUserAnAdmin").size(), c.asksTheShell ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Cases, LaunchVerbTest,
                         ::testing::Values(VerbCase{0, false, "open", false},
                                           VerbCase{0, true, "open", false},
                                           VerbCase{1, false, "runas", true},
                                           VerbCase{1, true, "open", true},
                                           VerbCase{255, false, "runas", true}));

} // namespace
} // namespace vantrel
