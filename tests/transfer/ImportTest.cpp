// Where imported entries go and what is left out: shortcuts and addresses by category, the
// limits of the configuration, folders of shortcuts and the Start menu, the summary.
#include "fakes/FakePlatform.h"
#include "transfer/ImportBuilder.h"
#include "transfer/ImportListing.h"
#include "transfer/ShortcutFolders.h"
#include "tree/ConfigTestSupport.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using testing::Describe;
using testing::FakePlatform;
using testing::ListItems;
using testing::Menus;

const char* const LinkFile = "C:\\Links\\x.lnk";

ShellLinkTarget Target(std::string path, std::string arguments = "", std::string workDir = "",
                       bool isFolder = false, bool runAsAdmin = false) {
    return {std::move(path), std::move(arguments), std::move(workDir), isFolder, runAsAdmin};
}

struct PlaceCase {
    const char* name;
    std::string title;
    std::optional<ShellLinkTarget> link; // a shell link; without one, a bookmark of `address`
    std::string address;
    std::string outcome; // the item as the tree holds it, or the summary when it is left out
};

const std::string Long = std::string(250, 'a');

const PlaceCase PlaceCases[] = {
    {"ProgramKeepsArgumentsFolderAndElevation", "Editor",
     Target("C:\\Tools\\ed.exe", "-n", "C:\\Work", false, true), "",
     "A Start Menu/Editor = C:\\Tools\\ed.exe (-n; C:\\Work) [admin]\n"},
    {"ProgramOnAShare", "Tool", Target("\\\\srv\\bin\\tool.CMD", "/q"), "",
     "A Start Menu/Tool = \\\\srv\\bin\\tool.CMD (/q; )\n"},
    {"FileOnAShare", "Doc", Target("\\\\srv\\docs\\a.doc"), "",
     "N Start Menu/Doc = \\\\srv\\docs\\a.doc\n"},
    {"FolderEndsInABackslash", "Data", Target("C:\\Data", "", "", true), "",
     "F Start Menu/Data = C:\\Data\\ [folder]\n"},
    {"DocumentLosesArguments", "Notes", Target("C:\\notes.txt", "-x"), "",
     "F Start Menu/Notes = C:\\notes.txt\n"},
    {"NoFileOpensThroughTheLink", "Panel", Target(""), "",
     "F Start Menu/Panel = C:\\Links\\x.lnk\n"},
    {"WebAddress", "Site", std::nullopt, "https://x.example/a?b",
     "I Start Menu/Site = https://x.example/a?b\n"},
    {"TitleCutAsTheEditorsCut", std::string(150, 't'), std::nullopt, "http://x/",
     "I Start Menu/" + std::string(100, 't') + " = http://x/\n"},
    {"TitleCutBeforeATwoByteCharacter", std::string(99, 't') + "\xC2\x83\x41", std::nullopt,
     "http://x/", "I Start Menu/" + std::string(99, 't') + " = http://x/\n"},
    {"TitleOutsideTheCodePagePastTheCut", std::string(100, 't') + "\xE6\x97\xA5", std::nullopt,
     "http://x/", "I Start Menu/" + std::string(100, 't') + " = http://x/\n"},
    {"TitleOutsideTheCodePageAtTheCut", std::string(99, 't') + "\xE6\x97\xA5", std::nullopt,
     "http://x/", "No entries imported; 1 skipped: names the code page cannot hold"},
    {"EmptyTitleShowsTheTarget", "", std::nullopt, "http://x/",
     "I Start Menu/http://x/ = http://x/\n"},
    {"LatinTitleInTheCodePage", "Caf\xC3\xA9", std::nullopt, "http://x/",
     "I Start Menu/Caf\xE9 = http://x/\n"},
    {"PathThatFillsTheRecord", "P", Target("C:\\" + Long + "\\12.exe"), "",
     "A Start Menu/P = C:\\" + Long + "\\12.exe\n"},
    {"PathTooLong", "P", Target("C:\\" + Long + "\\123.exe"), "",
     "No entries imported; 1 skipped: paths or addresses longer than 260 characters"},
    {"ArgumentsTooLong", "P", Target("C:\\p.exe", std::string(261, 'a')), "",
     "No entries imported; 1 skipped: paths or addresses longer than 260 characters"},
    {"PathKeptByItsShortName", "App", Target("C:\\\xE6\x97\xA5\\a.exe", "", "C:\\\xE6\x97\xA5"), "",
     "A Start Menu/App = C:\\8E76~1\\a.exe (; C:\\8E76~1)\n"},
    {"PathWithoutAShortName", "Day", Target("C:\\\xE6\x97\xA5.txt"), "",
     "No entries imported; 1 skipped: names the code page cannot hold"},
    {"TitleOutsideTheCodePage", "\xE6\x97\xA5", Target("C:\\a.txt"), "",
     "No entries imported; 1 skipped: names the code page cannot hold"},
    {"ArgumentsOutsideTheCodePage", "P", Target("C:\\p.exe", "\xE6\x97\xA5"), "",
     "No entries imported; 1 skipped: names the code page cannot hold"},
    {"NoAddress", "Nothing", std::nullopt, "", "No entries imported; 1 skipped: links to nothing"},
    {"Bookmarklet", "Go", std::nullopt, "javascript:go()",
     "No entries imported; 1 skipped: addresses only a browser can open"},
};

void PrintTo(const PlaceCase& tested, std::ostream* out) {
    *out << tested.name;
}

class PlaceTest : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(PlaceTest, EachEntryGoesWhereItFitsOrIsCountedOut) {
    FakePlatform fake;
    fake.codePage.shortPaths["C:\\\xE6\x97\xA5\\a.exe"] = "C:\\8E76~1\\a.exe";
    fake.codePage.shortPaths["C:\\\xE6\x97\xA5"] = "C:\\8E76~1";
    fake.codePage.leadBytes[0x83] = true; // as in a double-byte code page
    Menus menus;
    ImportBuilder builder(menus.categories(), "Start Menu", "Start Menu", fake.codePage);
    const PlaceCase& tested = GetParam();
    if (tested.link)
        builder.AddShellLink(tested.title, *tested.link, LinkFile);
    else
        builder.AddAddress(tested.title, tested.address, OwnFields());
    PreparedImport prepared = builder.Finish();
    ASSERT_TRUE(prepared.AttachTo(menus.categories()));
    const bool placed = prepared.Summary().Skipped() == 0;
    EXPECT_EQ(placed ? ListItems(menus.categories()) : prepared.Summary().Text(), tested.outcome);
}

INSTANTIATE_TEST_SUITE_P(Entries, PlaceTest, ::testing::ValuesIn(PlaceCases),
                         [](const auto& tested) { return std::string(tested.param.name); });

void FillWithItems(MenuNode& category, std::uint8_t kind, int count) {
    for (int i = 0; i < count; ++i)
        CreateItemEntry(category, {"e", "t", "", "", 0, kind, EntryTypeItem});
}

TEST(ImportTest, ACategoryTakesNoMoreThanTenThousandEntries) {
    FakePlatform fake;
    Menus menus;
    FillWithItems(*menus.categories().internet, LinkKindInternet, 9998);
    ImportBuilder builder(menus.categories(), "Bookmarks", "Bookmarks", fake.codePage);
    builder.AddAddress("a", "http://a/", {}); // with its group, the last two places
    builder.EnterFolder("Sub", {});
    builder.AddAddress("b", "http://b/", {});
    builder.LeaveFolder();
    builder.AddAddress("c", "http://c/", {});
    builder.AddShellLink("file", Target("C:\\f.txt"), LinkFile); // another category has room
    PreparedImport prepared = builder.Finish();
    EXPECT_EQ(prepared.Summary().Text(),
              "4 entries imported into 2 categories; 2 skipped: no room left in a category "
              "(10,000 entries at most)");
    ASSERT_TRUE(prepared.AttachTo(menus.categories()));
    EXPECT_EQ(CountEntries(*menus.categories().internet, 0), config::MaxRecordsPerCategory);
}

TEST(ImportTest, EntriesNestedPastTheDeepestLevelAreLeftOut) {
    FakePlatform fake;
    Menus menus;
    ImportBuilder builder(menus.categories(), "Deep", "Deep", fake.codePage);
    for (int depth = 1; depth < config::DepthLimit - 1; ++depth)
        builder.EnterFolder("Level", {});
    builder.AddAddress("deepest", "http://kept/", {}); // at depth 99
    builder.EnterFolder("Level", {});
    builder.AddAddress("too deep", "http://left.out/", {});
    builder.EnterFolder("Level", {});
    builder.AddAddress("deeper", "http://left.out/", {});
    PreparedImport prepared = builder.Finish();
    EXPECT_EQ(prepared.Summary().Text(), "100 entries imported into 1 category; 2 skipped: "
                                         "folders nested more than 100 deep");
}

TEST(ImportTest, AttachingIsAllOrNothing) {
    FakePlatform fake;
    Menus menus;
    ImportBuilder builder(menus.categories(), "Bookmarks", "Bookmarks", fake.codePage);
    builder.AddAddress("a", "http://a/", {});
    builder.AddShellLink("b", Target("C:\\b.txt"), LinkFile);
    PreparedImport prepared = builder.Finish();
    // The tree filled up meanwhile: the import no longer fits one category, so nothing comes.
    FillWithItems(*menus.categories().internet, LinkKindInternet, 9999);
    const std::string before = Describe(menus.categories());
    EXPECT_FALSE(prepared.AttachTo(menus.categories()));
    EXPECT_EQ(Describe(menus.categories()), before);
}

// ---- Folders of shortcuts ------------------------------------------------------------------

FolderListing Listing(std::string identity, std::vector<std::string> folders,
                      std::vector<std::string> shortcuts) {
    return {std::move(identity), std::move(folders), std::move(shortcuts)};
}

TEST(ImportTest, StartMenuMergesTheUsersAndEveryonesPrograms) {
    FakePlatform fake;
    const std::string user = "C:\\Users\\me\\Start Menu\\Programs";
    const std::string common = "C:\\ProgramData\\Start Menu\\Programs";
    fake.folders.folders[FolderPrograms] = user;
    fake.folders.folders[FolderCommonPrograms] = common;
    auto& folders = fake.shortcuts.folders;
    folders[user] = Listing("1", {"Accessories", "Games"}, {"Zed.lnk", "Site.url"});
    folders[common] = Listing("2", {"accessories"}, {"alpha.LNK"});
    folders[user + "\\Accessories"] = Listing("3", {}, {"Notepad.lnk"});
    folders[user + "\\Games"] = Listing("4", {}, {});
    folders[common + "\\accessories"] = Listing("5", {}, {"Paint.lnk", "Broken.lnk"});
    auto& links = fake.shortcuts.links;
    links[user + "\\Zed.lnk"] = Target("C:\\Zed\\zed.exe");
    links[common + "\\alpha.LNK"] = Target("C:\\a.txt");
    links[user + "\\Accessories\\Notepad.lnk"] = Target("C:\\Windows\\notepad.exe");
    links[common + "\\accessories\\Paint.lnk"] = Target("C:\\Windows\\mspaint.exe");
    fake.files.files[user + "\\Site.url"] = "[InternetShortcut]\r\nURL=http://site/\r\n";
    Menus menus;
    ImportOutcome outcome = PrepareStartMenuImport(menus.categories(), fake.platform);
    ASSERT_TRUE(outcome.prepared) << outcome.failure;
    EXPECT_EQ(outcome.prepared->Summary().Text(),
              "9 entries imported into 3 categories; 1 skipped: files that are not shortcuts");
    ASSERT_TRUE(outcome.prepared->AttachTo(menus.categories()));
    EXPECT_EQ(ListItems(menus.categories()),
              "A Start Menu/Accessories/Notepad = C:\\Windows\\notepad.exe\n"
              "A Start Menu/Accessories/Paint = C:\\Windows\\mspaint.exe\n"
              "A Start Menu/Zed = C:\\Zed\\zed.exe\n"
              "I Start Menu/Site = http://site/\n"
              "F Start Menu/alpha = C:\\a.txt\n");
}

TEST(ImportTest, AFolderLeavesOutLoopsAndWhatItCannotRead) {
    FakePlatform fake;
    const std::string root = "D:\\My Links\\";
    auto& folders = fake.shortcuts.folders;
    folders[root] = Listing("7", {"Loop", "Linked", "Locked", "\xE6\x97\xA5"}, {"a.lnk", "b.lnk"});
    folders[root + "Loop"] = Listing("7", {}, {"a.lnk"});
    // A junction where the system tells no folder apart may lead anywhere, round and round.
    folders[root + "Linked"] = Listing("", {}, {"a.lnk"});
    folders[root + "Linked"].linked = true;
    folders[root + "\xE6\x97\xA5"] = Listing("8", {}, {"c.lnk"});
    fake.shortcuts.links[root + "a.lnk"] = Target("C:\\a.txt");
    fake.shortcuts.links[root + "b.lnk"] = Target("D:\\Gone\\b.exe"); // broken: comes as it is
    fake.shortcuts.links[root + "\xE6\x97\xA5\\c.lnk"] = Target("C:\\c.txt");
    Menus menus;
    ImportOutcome outcome = PrepareFolderImport(root, menus.categories(), fake.platform);
    ASSERT_TRUE(outcome.prepared) << outcome.failure;
    EXPECT_EQ(outcome.prepared->Summary().Text(),
              "4 entries imported into 2 categories; 4 skipped: 1 names the code page cannot "
              "hold, 1 folders that could not be read, 2 folders that lead back into themselves");
    ASSERT_TRUE(outcome.prepared->AttachTo(menus.categories()));
    EXPECT_EQ(ListItems(menus.categories()),
              "A My Links/b = D:\\Gone\\b.exe\nF My Links/a = C:\\a.txt\n");

    EXPECT_EQ(PrepareFolderImport("E:\\", menus.categories(), fake.platform).failure,
              "The folder could not be read.");
}

// A whole drive picked: its folders are read up to a bound, and nothing more once no
// category has room.
TEST(ImportTest, AFolderIsReadNoFurtherThanItsBoundAndTheRoomLeft) {
    FakePlatform fake;
    const std::string root = "C:\\";
    FolderListing& drive = fake.shortcuts.folders[root];
    for (int i = 0; i <= 10000; ++i) {
        drive.folders.push_back(std::to_string(100000 + i));
        fake.shortcuts.folders[root + drive.folders.back()] = Listing(drive.folders.back(), {}, {});
    }
    Menus menus;
    ImportOutcome outcome = PrepareFolderImport(root, menus.categories(), fake.platform);
    ASSERT_TRUE(outcome.prepared) << outcome.failure;
    EXPECT_EQ(outcome.prepared->Summary().Text(),
              "No entries imported; 1 skipped: folders past the 10,000 an import reads");

    for (MenuNode* category : menus.categories().InFileOrder())
        FillWithItems(*category, LinkKindFile, config::MaxRecordsPerCategory);
    fake.shortcuts.folders[root] = Listing("1", {"Sub"}, {"a.lnk"});
    fake.log.calls.clear();
    outcome = PrepareFolderImport(root, menus.categories(), fake.platform);
    ASSERT_TRUE(outcome.prepared) << outcome.failure;
    EXPECT_EQ(
        outcome.prepared->Summary().Text(),
        "No entries imported; 2 skipped: no room left in a category (10,000 entries at most)");
    // The drive's own folder only: neither its subfolder nor its shortcut is read.
    EXPECT_EQ(fake.log.Matching("ListFolder").size() + fake.log.Matching("ReadShellLink").size(),
              1u);
}

TEST(ImportTest, InternetShortcutsGiveTheirAddress) {
    EXPECT_EQ(AddressOfInternetShortcut("[InternetShortcut]\r\nURL=http://a/ \r\n"), "http://a/");
    EXPECT_EQ(AddressOfInternetShortcut("\xEF\xBB\xBF[Other]\nURL=http://b/\n[internetshortcut]"
                                        "\nIconIndex=0\nurl=http://c/"),
              "http://c/");
    EXPECT_EQ(AddressOfInternetShortcut("URL=http://outside/\n[InternetShortcut]\n"), std::nullopt);
}

TEST(ImportTest, TheSummarySaysWhatCameAndWhatDidNot) {
    auto text = [](int entries, int categories, std::vector<std::pair<SkipReason, int>> skips) {
        ImportSummary summary{entries, categories, {}};
        for (const auto& [reason, count] : skips)
            summary.Skip(reason, count);
        return summary.Text();
    };
    EXPECT_EQ(text(0, 0, {}), "Nothing to import: no shortcuts or links were found.");
    EXPECT_EQ(text(1, 1, {}), "1 entry imported into 1 category");
    EXPECT_EQ(text(231, 3, {{SkipReason::NotInCodePage, 2}}),
              "231 entries imported into 3 categories; 2 skipped: names the code page cannot hold");
    EXPECT_EQ(text(0, 0, {{SkipReason::TooLong, 1}, {SkipReason::Loop, 2}}),
              "No entries imported; 3 skipped: 1 paths or addresses longer than 260 characters, "
              "2 folders that lead back into themselves");
}

} // namespace
} // namespace vantrel
