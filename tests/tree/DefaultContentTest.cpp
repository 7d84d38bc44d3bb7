#include "tree/DefaultContent.h"
#include "tree/ConfigTestSupport.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using namespace testing;

struct Content {
    FakePlatform fake;
    Menus menus;
    void Create() { CreateDefaultContent(menus.categories(), fake.platform, menus.facts); }
};

TEST(DefaultContentTest, EveryCategoryHoldsOneExamplesGroup) {
    Content content;
    content.Create();
    const std::string host = ExampleHost;
    std::string internet = "Internet: G Examples|kind=6|type=0\n";
    for (const char* domain :
         {"vantrel.example", "google.com", "bing.com", "yahoo.com", "msn.com", "facebook.com",
          "twitter.com", "linkedin.com", "youtube.com", "wikipedia.org", "amazon.com", "ebay.com"})
        internet += std::string("Internet:   I ") + domain + "|http://www." + domain +
                    "|||admin=0|kind=6|type=1\n";
    const std::string expected =
        "Run: G Examples|kind=3|type=0\n"
        "Run:   I arp -a|cmd /K arp -a|||admin=0|kind=3|type=1\n"
        "Run:   I ipconfig /all|cmd /K ipconfig /all|||admin=0|kind=3|type=1\n"
        "Run:   I netstat -b|cmd /K netstat -b|||admin=1|kind=3|type=1\n"
        "Run:   I ping " +
        host + "|cmd /K ping " + host +
        "|||admin=0|kind=3|type=1\n"
        "Run:   I tracert " +
        host + "|cmd /K tracert " + host +
        "|||admin=0|kind=3|type=1\n"
        "Applications: G Examples|kind=4|type=0\n"
        "Applications:   I Command Line|cmd.exe|||admin=1|kind=4|type=1\n"
        "Applications:   I Regedit|regedit.exe|||admin=1|kind=4|type=1\n"
        "Applications:   I Paint|mspaint.exe|||admin=0|kind=4|type=1\n"
        "Applications:   I Notepad|notepad.exe|||admin=0|kind=4|type=1\n"
        "Applications:   I Calculator|calc.exe|||admin=0|kind=4|type=1\n"
        "Applications:   I Explorer|explorer.exe|||admin=0|kind=4|type=1\n"
        "Applications:   I Task Manager|taskmgr.exe|||admin=1|kind=4|type=1\n"
        "Applications:   I MS Config|%SystemRoot%\\pchealth\\helpctr\\binaries\\msconfig.exe|||"
        "admin=1|kind=4|type=1\n"
        "Applications:   I MS Info|%SystemDrive%\\Program Files\\Common Files\\Microsoft "
        "Shared\\MSInfo\\msinfo32.exe|||admin=1|kind=4|type=1\n"
        "Applications:   I DirectX Diagnostic|dxdiag.exe|||admin=1|kind=4|type=1\n"
        "Network: G Examples|kind=5|type=0\n"
        "Network:   I Disc C on 127.0.0.1|\\\\127.0.0.1\\C$|||admin=0|kind=5|type=1\n" +
        internet +
        "Files: G Examples|kind=7|type=0\n"
        "Files:   I System Root|%SystemRoot%|||admin=0|kind=7|type=2\n";
    EXPECT_EQ(Describe(content.menus.categories()), expected);
    for (MenuNode* category : content.menus.categories().InFileOrder()) {
        ASSERT_EQ(category->Count(), 3u);
        EXPECT_EQ(category->Child(0).caption, "Add New Item");
        EXPECT_TRUE(category->Child(1).IsSeparator());
        EXPECT_EQ(category->Child(2).caption, "Examples");
    }
}

TEST(DefaultContentTest, ToolsOfNewerSystemsAreFoundWhereTheyAre) {
    Content content;
    content.fake.files.files["C:\\Windows\\System32\\msconfig.exe"] = "";
    content.fake.files.files["C:\\Windows\\System32\\msinfo32.exe"] = "";
    const long recordsBefore = LinkEntry::LiveCount();
    content.Create();
    const MenuNode& apps = content.menus.categories().applications->Child(2);
    EXPECT_EQ(apps.Child(9).Tag()->target, "%SystemRoot%\\System32\\msconfig.exe");
    EXPECT_EQ(apps.Child(10).Tag()->target, "%SystemRoot%\\System32\\msinfo32.exe");
    // 5 groups and 29 items.
    EXPECT_EQ(LinkEntry::LiveCount(), recordsBefore + 34);
}

TEST(DefaultContentTest, ToolsAreLookedForInTheRealSystemDirectoryAndNoPictureIsRead) {
    Content content;
    content.fake.process.isWow64 = true;
    content.fake.process.hasDisable = true;
    content.fake.process.hasRevert = true;
    ProbeProcessFacts(content.menus.facts, content.fake.process);
    content.Create();
    EXPECT_EQ(content.fake.log.calls,
              (std::vector<std::string>{
                  "Wow64DisableWow64FsRedirection",
                  "File exists path=C:\\Windows\\System32\\msconfig.exe",
                  "File exists path=C:\\Windows\\System32\\msinfo32.exe",
                  "Wow64RevertWow64FsRedirection cookie=0x5150"}));
}

TEST(DefaultContentTest, WebAddressIsSchemeWwwAndDomain) {
    EXPECT_EQ(WebAddressOf("wikipedia.org"), "http://www.wikipedia.org");
}

} // namespace
} // namespace vantrel
