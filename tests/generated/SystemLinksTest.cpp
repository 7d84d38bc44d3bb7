// The System Links catalogue, built against a fake machine whose places exist when the
// test puts them there.
#include "generated/SystemLinks.h"
#include "fakes/FakePlatform.h"
#include "tree/ImageIndex.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using testing::FakePictures;
using testing::FakePlatform;
using testing::FakeShellFolders;

const std::string Sys = "C:\\Windows\\system32";

// A Windows 7 machine where every place of the catalogue exists.
struct Machine {
    FakePlatform fake;
    ProcessFacts facts;
    MenuNode menu;

    explicit Machine(bool wow64, std::uint32_t osMajor = 6) {
        fake.process.isWow64 = fake.process.hasDisable = fake.process.hasRevert = wow64;
        ProbeProcessFacts(facts, fake.process);
        facts.osMajorVersion = osMajor;
        for (const char* path :
             {"C:\\", "C:\\Windows\\System32", "C:\\Windows\\SysWOW64", "C:\\Program Files",
              "C:\\Users\\me\\AppData\\Local\\Temp\\", "C:\\Users", "C:\\Users\\All Users",
              "C:\\Users\\me", "C:\\Users\\Public"})
            Exists(path);
        Exists(Sys + "\\mmc.exe");
        Folder(FolderCommonAdminTools, "C:\\ProgramData\\Administrative Tools");
        for (int csidl : {FolderControls, FolderDrives, FolderNetwork, FolderConnections})
            Folder(csidl, std::nullopt);
        Folder(FolderWindows, "C:\\Windows");
        Folder(FolderProgramFiles, "C:\\Program Files (x86)");
        Folder(FolderProgramFilesX86, "C:\\Program Files (x86)");
        Folder(FolderPersonal, "C:\\Users\\me\\Documents");
        Folder(FolderCommonDocuments, "C:\\Users\\Public\\Documents");
        Folder(FolderDesktop, "C:\\Users\\me\\Desktop");
    }
    void Exists(const std::string& path) { fake.files.files[path] = ""; }
    void Folder(int csidl, std::optional<std::string> path) {
        fake.folders.folders[csidl] = std::move(path);
    }
    void Build() { BuildSystemLinksMenu(menu, fake.platform, facts); }

    std::vector<std::string> Rows() const { return Captions(menu); }
    static std::vector<std::string> Captions(const MenuNode& node) {
        std::vector<std::string> captions;
        for (std::size_t i = 0; i < node.Count(); ++i)
            captions.push_back(node.Child(i).caption);
        return captions;
    }
    const MenuNode* Row(const std::string& caption) const {
        for (std::size_t i = 0; i < menu.Count(); ++i)
            if (menu.Child(i).caption == caption)
                return &menu.Child(i);
        return nullptr;
    }
    std::string TargetOf(const std::string& caption) const { return Row(caption)->Tag()->target; }
};

const std::vector<std::string> Rows64 = {"Management Console",
                                         "Admin Tools",
                                         "Control Panel",
                                         "My Computer",
                                         "Network Neighborhood",
                                         "Network Connections",
                                         "-",
                                         "System Drive",
                                         "Windows",
                                         "System32",
                                         "System32 (x86)",
                                         "Program Files",
                                         "Program Files (x86)",
                                         "Temp",
                                         "-",
                                         "Documents and Settings",
                                         "All Users Profile",
                                         "My Profile",
                                         "My Documents",
                                         "Shared Documents",
                                         "Desktop"};

TEST(SystemLinksTest, SixtyFourBitMachineGetsEveryRowWithItsCodeAndPlace) {
    Machine machine(true);
    const long records = LinkEntry::LiveCount();
    machine.Build();
    ASSERT_EQ(machine.Rows(), Rows64);
    // Code, the picture shown until the row's own is read, and where that is read from.
    const std::string Utf8 = " utf8";
    const struct {
        const char* caption;
        int code;
        int image;
        std::string read;
    } rows[] = {{"Management Console", 0, ImageGear, Sys + "\\mmc.exe utf8 system32"},
                {"Admin Tools", 1, ImageGear, "folder=" + FakeShellFolders::Csidl(0x2F)},
                {"Control Panel", 2, ImageGear, "folder=" + FakeShellFolders::Csidl(0x03)},
                {"My Computer", 3, ImageSystemLinks, "folder=" + FakeShellFolders::Csidl(0x11)},
                {"Network Neighborhood", 4, ImageNetworkResources,
                 "folder=" + FakeShellFolders::Csidl(0x12)},
                {"Network Connections", 5, ImageNetworkResources,
                 "folder=" + FakeShellFolders::Csidl(0x31)},
                {"System Drive", 16, ImageDiskDrives, "C:\\" + Utf8},
                {"Windows", 10, ImageFolder, "folder=" + FakeShellFolders::Csidl(0x24)},
                {"System32", 11, ImageFolder, "C:\\Windows\\System32" + Utf8},
                {"System32 (x86)", 12, ImageFolder, "C:\\Windows\\SysWOW64" + Utf8},
                {"Program Files", 13, ImageFolder, "C:\\Program Files" + Utf8},
                {"Program Files (x86)", 14, ImageFolder, "folder=" + FakeShellFolders::Csidl(0x2A)},
                {"Temp", 15, ImageFolder, "C:\\Users\\me\\AppData\\Local\\Temp\\" + Utf8},
                {"Documents and Settings", 20, ImageFolder, "C:\\Users" + Utf8},
                {"All Users Profile", 25, ImageFolder, "C:\\Users\\All Users" + Utf8},
                {"My Profile", 21, ImageFolder, "C:\\Users\\me" + Utf8},
                {"My Documents", 22, ImageFilesAndFolders, "folder=" + FakeShellFolders::Csidl(0x05)},
                {"Shared Documents", 24, ImageFilesAndFolders, "C:\\Users\\Public" + Utf8},
                {"Desktop", 23, ImageSystemLinks, "folder=" + FakeShellFolders::Csidl(0x00)}};
    for (const auto& r : rows) {
        const MenuNode& row = *machine.Row(r.caption);
        ASSERT_NE(row.Tag(), nullptr) << r.caption;
        EXPECT_EQ(row.Tag()->entryType, r.code) << r.caption;
        EXPECT_EQ(row.Tag()->kind, LinkKindSystem);
        EXPECT_EQ(row.Tag()->title, r.caption);
        EXPECT_EQ(row.imageIndex, r.image) << r.caption;
        EXPECT_FALSE(row.Tag()->HasPicture()) << r.caption;
        const auto source = SystemLinkPictureSource(*row.Tag());
        ASSERT_TRUE(source) << r.caption;
        EXPECT_EQ(FakePictures::Describe(*source, false), "ReadPicture " + r.read) << r.caption;
    }
    EXPECT_TRUE(machine.fake.log.Matching("SHGetFileInfo").empty()); // no picture is read
    EXPECT_EQ(machine.Row("Management Console")->command, Command::None);
    EXPECT_EQ(machine.Row("Desktop")->command, Command::SystemLink);
    EXPECT_EQ(machine.menu.Child(6).Tag(), nullptr); // separators carry no record
    EXPECT_EQ(machine.TargetOf("System Drive"), "C:\\");
    EXPECT_EQ(machine.TargetOf("System32 (x86)"), "C:\\Windows\\SysWOW64");
    EXPECT_EQ(machine.TargetOf("Program Files"), "C:\\Program Files");
    EXPECT_EQ(machine.TargetOf("Program Files (x86)"), "");
    EXPECT_EQ(machine.TargetOf("Temp"), "C:\\Users\\me\\AppData\\Local\\Temp\\");
    EXPECT_EQ(machine.TargetOf("Documents and Settings"), "C:\\Users");
    EXPECT_EQ(machine.TargetOf("All Users Profile"), "C:\\Users\\All Users");
    EXPECT_EQ(machine.TargetOf("My Profile"), "C:\\Users\\me");
    EXPECT_EQ(machine.TargetOf("Shared Documents"), "C:\\Users\\Public");
    EXPECT_EQ(machine.TargetOf("Management Console"), Sys + "\\mmc.exe");
    EXPECT_EQ(machine.fake.folders.liveIdLists, 0);
    EXPECT_EQ(LinkEntry::LiveCount() - records, 19); // rows only: nothing left behind
}

TEST(SystemLinksTest, ThirtyTwoBitMachineTakesProgramFilesFromTheShell) {
    Machine machine(false);
    machine.Build();
    std::vector<std::string> expected = Rows64;
    expected.erase(std::find(expected.begin(), expected.end(), "System32 (x86)"));
    expected.erase(std::find(expected.begin(), expected.end(), "Program Files (x86)"));
    EXPECT_EQ(machine.Rows(), expected);
    EXPECT_EQ(machine.TargetOf("Program Files"), "");
    EXPECT_EQ(FakePictures::Describe(*SystemLinkPictureSource(*machine.Row("Program Files")->Tag()),
                                     false),
              "ReadPicture folder=" + FakeShellFolders::Csidl(FolderProgramFiles));
    EXPECT_TRUE(machine.fake.log.Contains("SHGetSpecialFolderLocation " +
                                          FakeShellFolders::Csidl(FolderProgramFiles)));
    EXPECT_TRUE(machine.fake.log.Matching("Wow64").empty());
}

TEST(SystemLinksTest, SnapInsAreLookedUpInTheRealSystemDirectory) {
    Machine machine(true);
    machine.Exists(Sys + "\\services.msc");
    machine.Exists(Sys + "\\Com\\comexp.msc");
    machine.Exists(Sys + "\\compmgmt.msc");
    machine.Exists(Sys + "\\comexp.msc"); // not where the catalogue looks
    machine.Build();
    const MenuNode& console = *machine.Row("Management Console");
    EXPECT_EQ(Machine::Captions(console),
              (std::vector<std::string>{"comexp.msc", "compmgmt.msc", "services.msc"}));
    EXPECT_EQ(console.Child(0).Tag()->target, Sys + "\\Com\\comexp.msc");
    EXPECT_EQ(console.Child(2).Tag()->entryType, SystemLinkSnapIn);
    EXPECT_EQ(console.Child(2).command, Command::SystemLink);

    // Every snap-in is looked for inside the bracket; the shell folders come after it.
    const auto& log = machine.fake.log;
    const int disable = log.IndexOf("Wow64DisableWow64FsRedirection");
    const int revert = log.IndexOf("Wow64RevertWow64FsRedirection cookie=0x5150");
    EXPECT_EQ(disable, 0);
    EXPECT_EQ(log.Matching("File exists path=" + Sys).size(), 36u);
    EXPECT_EQ(log.IndexOf("File exists path=" + Sys + "\\wmimgmt.msc") + 1, revert);
    EXPECT_EQ(log.IndexOf("SHGetSpecialFolderLocation " +
                          FakeShellFolders::Csidl(FolderCommonAdminTools)),
              revert + 1);
}

TEST(SystemLinksTest, EveryCatalogueSnapInGetsItsRowInOrder) {
    Machine machine(false);
    for (const SnapIn& snapIn : SnapInCatalogue)
        machine.Exists(Sys + "\\" + snapIn.file);
    machine.Build();
    const MenuNode& console = *machine.Row("Management Console");
    ASSERT_EQ(console.Count(), 35u);
    EXPECT_EQ(console.Child(0).caption, "azman.msc");
    EXPECT_EQ(console.Child(21).caption, "ServerManager.msc");
    EXPECT_EQ(console.Child(34).caption, "wmimgmt.msc");
}

TEST(SystemLinksTest, WithoutTheConsoleProgramNoSnapInIsOffered) {
    Machine machine(true);
    machine.fake.files.files.erase(Sys + "\\mmc.exe");
    machine.Exists(Sys + "\\services.msc");
    machine.Build();
    EXPECT_EQ(machine.Row("Management Console"), nullptr);
    const auto& calls = machine.fake.log.calls;
    EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + 5),
              (std::vector<std::string>({"Wow64DisableWow64FsRedirection", "GetSystemDirectory",
                                         "File exists path=" + Sys + "\\mmc.exe",
                                         "Wow64RevertWow64FsRedirection cookie=0x5150",
                                         "SHGetSpecialFolderLocation " +
                                             FakeShellFolders::Csidl(FolderCommonAdminTools)})));
}

struct DocumentsCase {
    const char* what;
    std::optional<std::string> documents; // nullopt: the folder has no file-system path
    std::vector<std::string> existing;
    std::vector<std::pair<std::string, std::string>> rows; // caption, target
};

class MovedDocumentsTest : public ::testing::TestWithParam<DocumentsCase> {};

TEST_P(MovedDocumentsTest, ProfileRowsFollowTheDocumentsFolder) {
    const DocumentsCase& c = GetParam();
    Machine machine(false);
    machine.Folder(FolderPersonal, c.documents);
    for (const char* old : {"C:\\Users", "C:\\Users\\All Users", "C:\\Users\\me"})
        machine.fake.files.files.erase(old);
    for (const std::string& path : c.existing)
        machine.Exists(path);
    machine.Build();
    std::vector<std::pair<std::string, std::string>> rows;
    for (const char* caption : {"Documents and Settings", "All Users Profile", "My Profile"})
        if (machine.Row(caption))
            rows.emplace_back(caption, machine.TargetOf(caption));
    EXPECT_EQ(rows, c.rows) << c.what;
    EXPECT_NE(machine.Row("My Documents"), nullptr) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MovedDocumentsTest,
    ::testing::Values(DocumentsCase{"moved to another drive",
                                    "D:\\Data\\Docs",
                                    {"D:\\", "D:\\Data", "D:\\All Users"},
                                    {{"Documents and Settings", "D:\\"},
                                     {"All Users Profile", "D:\\All Users"},
                                     {"My Profile", "D:\\Data"}}},
                      DocumentsCase{"derived folders missing",
                                    "D:\\Data\\Docs",
                                    {"D:\\Data"},
                                    {{"My Profile", "D:\\Data"}}},
                      DocumentsCase{"a drive's root",
                                    "E:\\",
                                    {"E:\\", "E:\\All Users"},
                                    {{"Documents and Settings", "E:\\"},
                                     {"All Users Profile", "E:\\All Users"},
                                     {"My Profile", "E:\\"}}},
                      // Wine's shell ends every folder's path with a backslash.
                      DocumentsCase{"reported with a trailing backslash, in a profile no code "
                                    "page holds",
                                    "C:\\Users\\\xCE\xA9 \xE6\x9D\xB1\\Documents\\",
                                    {"C:\\Users", "C:\\Users\\\xCE\xA9 \xE6\x9D\xB1"},
                                    {{"Documents and Settings", "C:\\Users"},
                                     {"My Profile", "C:\\Users\\\xCE\xA9 \xE6\x9D\xB1"}}},
                      DocumentsCase{"no file-system path", std::nullopt, {"C:\\Users"}, {}},
                      DocumentsCase{"a bare name has no parent", "Docs", {"Docs"}, {}}));

TEST(SystemLinksTest, SharedDocumentsDependOnTheWindowsVersion) {
    Machine vista(false, 6);
    vista.Build();
    EXPECT_EQ(vista.TargetOf("Shared Documents"), "C:\\Users\\Public");
    Machine xp(false, 5);
    xp.Build();
    EXPECT_EQ(xp.TargetOf("Shared Documents"), "");
    EXPECT_FALSE(xp.fake.log.Contains("SHGetPathFromIDList " +
                                      FakeShellFolders::Csidl(FolderCommonDocuments)));
}

TEST(SystemLinksTest, DirectoriesThatDoNotFitTheBufferLeaveTheirRowsOut) {
    Machine machine(true);
    machine.fake.folders.systemWindowsDirectory = "C:\\" + std::string(278, 'w'); // 281
    machine.fake.folders.tempPath = "";
    machine.fake.folders.systemDirectory = "C:\\" + std::string(278, 's');
    machine.Build();
    for (const char* gone : {"Management Console", "System Drive", "System32", "System32 (x86)",
                             "Program Files", "Temp"})
        EXPECT_EQ(machine.Row(gone), nullptr) << gone;
    EXPECT_NE(machine.Row("Windows"), nullptr);

    Machine fits(false);
    const std::string longest = "C:\\" + std::string(277, 'w'); // 280 characters
    fits.fake.folders.systemWindowsDirectory = longest;
    fits.Exists(longest + "\\System32");
    fits.Build();
    EXPECT_EQ(fits.TargetOf("System32"), longest + "\\System32");
}

TEST(SystemLinksTest, MissingPlacesLeaveOnlyTheSeparators) {
    FakePlatform fake;
    ProcessFacts facts;
    MenuNode menu;
    const long records = LinkEntry::LiveCount();
    BuildSystemLinksMenu(menu, fake.platform, facts);
    EXPECT_EQ(Machine::Captions(menu), (std::vector<std::string>{"-", "-"}));
    EXPECT_EQ(LinkEntry::LiveCount(), records);
}

TEST(SystemLinksTest, AFailurePartWayKeepsTheRowsBuiltSoFar) {
    Machine machine(true);
    machine.fake.folders.throwOnLocationOf = FolderPersonal;
    machine.Build();
    const std::vector<std::string> before(Rows64.begin(), Rows64.begin() + 15);
    EXPECT_EQ(machine.Rows(), before);
    EXPECT_EQ(machine.fake.folders.liveIdLists, 0);
}

} // namespace
} // namespace vantrel
