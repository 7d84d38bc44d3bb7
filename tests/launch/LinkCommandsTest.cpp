#include "fakes/FakePlatform.h"
#include "launch/LinkCommands.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using testing::FakePlatform;

struct TextCase {
    std::uint8_t kind;
    std::uint8_t entryType;
    std::string target;
    std::string parameters;
    std::optional<std::string> text;
};

class LinkTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(LinkTextTest, CopiesTheRawStoredLink) {
    const TextCase& c = GetParam();
    LinkEntry entry;
    entry.kind = c.kind;
    entry.entryType = c.entryType;
    entry.target = c.target;
    entry.parameters = c.parameters;
    entry.workDir = "C:\\never";
    EXPECT_EQ(LinkText(entry), c.text)
        << "kind " << int{c.kind} << " type " << int{c.entryType} << " " << c.target;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LinkTextTest,
    ::testing::Values(
        TextCase{LinkKindRun, 1, "ping -t 127.0.0.1", "p", "ping -t 127.0.0.1"},
        TextCase{LinkKindApplication, 1, "C:\\t.exe", "-a b", "C:\\t.exe -a b"},
        TextCase{LinkKindApplication, 1, "C:\\t.exe", "", "C:\\t.exe"},
        TextCase{LinkKindApplication, 1, "%SystemRoot%\\n.exe", "", "%SystemRoot%\\n.exe"},
        TextCase{LinkKindNetwork, 1, "\\\\host\\share", "p", "\\\\host\\share"},
        TextCase{LinkKindInternet, 1, "http://example.com/a b", "p", "http://example.com/a b"},
        TextCase{LinkKindFile, 1, "C:\\a.txt", "p", "C:\\a.txt"},
        TextCase{LinkKindFile, 2, "C:\\Data", "", "C:\\Data"},
        TextCase{LinkKindRun, 2, "cmd", "", std::nullopt},
        TextCase{LinkKindApplication, 2, "a.exe", "", std::nullopt},
        TextCase{LinkKindNetwork, 0, "\\\\h", "", std::nullopt},
        TextCase{LinkKindInternet, 2, "http://x", "", std::nullopt},
        TextCase{LinkKindFile, 0, "C:\\", "", std::nullopt},
        TextCase{LinkKindFile, 3, "C:\\", "", std::nullopt},
        TextCase{LinkKindDrive, 1, "C:\\", "", std::nullopt},
        TextCase{LinkKindSystem, 1, "x", "", std::nullopt}));

TEST(BrowserTest, EachOpenWithCommandStartsItsBrowserWithTheLinkUnquoted) {
    const std::vector<std::pair<Command, std::string>> browsers{
        {Command::OpenWithIE, "iexplore"},
        {Command::OpenWithFirefox, "firefox"},
        {Command::OpenWithChrome, "chrome"},
        {Command::OpenWithOpera, "opera"}};
    for (const auto& [command, program] : browsers) {
        FakePlatform fake;
        LinkEntry entry;
        entry.kind = LinkKindRun; // the kind is not looked at
        entry.target = "http://example.com/a b?c=%SystemRoot%";
        ASSERT_NE(BrowserProgram(command), nullptr);
        OpenInBrowser(entry, BrowserProgram(command), fake.shell);
        EXPECT_EQ(fake.log.calls,
                  (std::vector<std::string>{"ShellExecute verb=open file=" + program +
                                            " params=http://example.com/a b?c=%SystemRoot% "
                                            "dir= show=1"}));
    }
    EXPECT_EQ(BrowserProgram(Command::OpenLink), nullptr);
}

TEST(BrowserTest, EmptyLinkStartsNothing) {
    FakePlatform fake;
    LinkEntry entry;
    OpenInBrowser(entry, "chrome", fake.shell);
    EXPECT_TRUE(fake.log.calls.empty());
}

TEST(EntryOfLinkCommandTest, IsTheRecordOfTheClickedCommandsParent) {
    MenuNode root;
    EXPECT_EQ(EntryOfLinkCommand(root), nullptr); // no parent
    MenuNode& item = root.Append("item", -1);
    MenuNode& open = item.Append("Open Link", 30, Command::OpenLink);
    EXPECT_EQ(EntryOfLinkCommand(open), nullptr); // parent without a record
    item.SetTag(std::make_unique<LinkEntry>());
    EXPECT_EQ(EntryOfLinkCommand(open), item.Tag());
}

} // namespace
} // namespace vantrel
