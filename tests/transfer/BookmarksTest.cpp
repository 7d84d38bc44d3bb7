// Bookmarks files as browsers write them, read into the tree; the tree written as one and
// read back.
#include "fakes/FakePlatform.h"
#include "support/LargeTree.h"
#include "transfer/BookmarkReader.h"
#include "transfer/BookmarkWriter.h"
#include "transfer/ImportListing.h"
#include "tree/ConfigTestSupport.h"
#include "tree/DefaultContent.h"
#include "tree/Entries.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vantrel {
namespace {

using testing::Describe;
using testing::FakePlatform;
using testing::ListItems;
using testing::Menus;

const char* const FilePath = "C:\\Users\\me\\bookmarks.html";
const std::string Head = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<!-- generated -->\n";
const std::string Utf8Meta =
    "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n";

ImportOutcome Import(FakePlatform& fake, Menus& menus, const std::string& file) {
    fake.files.files[FilePath] = file;
    ImportOutcome outcome = PrepareBookmarksImport(FilePath, menus.categories(), fake.platform);
    if (outcome.prepared) {
        EXPECT_TRUE(outcome.prepared->AttachTo(menus.categories()));
    }
    return outcome;
}

struct ReadCase {
    const char* name;
    std::string file;
    std::string items;   // what the tree holds afterwards
    std::string outcome; // the summary, or why the import failed
};

const ReadCase ReadCases[] = {
    {"AsChromeWritesThem",
     Head + Utf8Meta +
         "<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks</H1>\n<DL><p>\n"
         "    <DT><H3 ADD_DATE=\"1\" PERSONAL_TOOLBAR_FOLDER=\"true\">Bookmarks bar</H3>\n"
         "    <DL><p>\n"
         "        <DT><A HREF=\"https://a.example/?x=1&amp;y=2\" ADD_DATE=\"3\" "
         "ICON=\"data:image/png;base64,iVBO>RK=\">Tom &amp; Jerry &lt;3&gt; &quot;q&quot; "
         "&#39;s&#39; &#x41;&#66; &bogus; &#0;</A>\n"
         "        <DT><H3>Empty</H3>\n        <DL><p>\n        </DL><p>\n"
         "        <HR>\n"
         "        <DT><H3>News</H3>\n        <DL><p>\n"
         "            <DT><A HREF=\"http://bbc.co.uk\">BBC</A>\n        </DL><p>\n"
         "    </DL><p>\n"
         "    <DT><A HREF=\"https://top.example/\">Top</A>\n</DL><p>\n",
     "I Bookmarks/Bookmarks bar/Tom & Jerry <3> \"q\" 's' AB &bogus; &#0; = "
     "https://a.example/?x=1&y=2\n"
     "I Bookmarks/Bookmarks bar/News/BBC = http://bbc.co.uk\n"
     "I Bookmarks/Top = https://top.example/\n",
     "6 entries imported into 1 category"},
    {"LowerCaseQuotesDescriptionsAndBrowserOnlyAddresses",
     Head + "<meta charset='utf-8'>\n<dl><p>\n"
            "<dt><a add_date=1 href=http://unquoted.example/>Unquoted</a>\n"
            "<dd>A description, not a title\n"
            "<dt><a HREF=\"place:sort=8\">Recent</a>\n"
            "<dt><a href=\"javascript:alert(1)\">Bookmarklet</a>\n"
            "<dt><a href='http://single.example/'>  Spaced\n   title\t</a>\n"
            "<dt><a href=\"http://untitled.example/\"></a>\n"
            "<dt><a href=\"\">Nothing</a>\n</dl>\n",
     "I Bookmarks/Unquoted = http://unquoted.example/\n"
     "I Bookmarks/Spaced    title = http://single.example/\n"
     "I Bookmarks/http://untitled.example/ = http://untitled.example/\n",
     "4 entries imported into 1 category; 3 skipped: 1 links to nothing, 2 addresses only a "
     "browser can open"},
    {"FileAddressesGoWhereTheyFit",
     Head + "<DL><p>\n"
            "<DT><A HREF=\"file:///C:/Users/me/My%20Documents/\">Docs</A>\n"
            "<DT><A HREF=\"file:///C:/Tools/app.exe\">App</A>\n"
            "<DT><A HREF=\"file://server/share/file.txt\">Share</A>\n"
            "<DT><A HREF=\"FILE:///D|/old/report.doc\">Old</A>\n"
            "<DT><A HREF=\"file://///server2/x/\">Firefox share</A>\n"
            "<DT><A HREF=\"file://localhost/C:/x.txt\">Local</A>\n</DL><p>\n",
     "A Bookmarks/App = C:\\Tools\\app.exe\n"
     "N Bookmarks/Share = \\\\server\\share\\file.txt\n"
     "N Bookmarks/Firefox share = \\\\server2\\x\\\n"
     "F Bookmarks/Docs = C:\\Users\\me\\My Documents\\ [folder]\n"
     "F Bookmarks/Old = D:\\old\\report.doc\n"
     "F Bookmarks/Local = C:\\x.txt\n",
     "9 entries imported into 3 categories"},
    {"DeclaredSingleByteEncoding",
     Head + "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1252\">\n"
            "<DL><p><DT><A HREF=\"http://caf\xE9.example/\">Caf\xE9 &#233;</A></DL><p>",
     "I Bookmarks/Caf\xE9 \xE9 = http://caf\xE9.example/\n", "2 entries imported into 1 category"},
    {"ByteOrderMarkOutweighsTheDeclaration",
     "\xEF\xBB\xBF" + Head +
         "<META CHARSET=\"windows-1252\"><DL><p><DT><A HREF=\"http://x/\">Caf\xC3\xA9</A></DL>",
     "I Bookmarks/Caf\xE9 = http://x/\n", "2 entries imported into 1 category"},
    {"TextTheCodePageCannotHold",
     Head + "<DL><p>\n<DT><A HREF=\"http://x/\xE6\x97\xA5\">Day</A>\n"
            "<DT><A HREF=\"http://y/\">\xE6\x97\xA5\xE6\x9C\xAC</A>\n"
            "<DT><H3>\xE6\x97\xA5</H3><DL><p><DT><A HREF=\"http://z/\">In it</A></DL><p>\n"
            "<DT><A HREF=\"file:///C:/\xE6\x97\xA5.txt\">No short name</A>\n"
            "<DT><A HREF=\"http://\xFF\xFE/\">Not UTF-8</A>\n</DL><p>\n",
     "I Bookmarks/Day = http://x/%E6%97%A5\n"
     "I Bookmarks/Not UTF-8 = http://%FF%FE/\n",
     "3 entries imported into 1 category; 3 skipped: names the code page cannot hold"},
    // A title past what is kept of one is cut between two characters of the file's encoding
    // (the first one's kept part is all blank).
    {"LongTitleCutBetweenCharacters",
     Head + "<DL><p><DT><A HREF=\"http://x/\">" + std::string(4094, ' ') + "\xE6\x97\xA5</A></DL>",
     "I Bookmarks/http://x/ = http://x/\n", "2 entries imported into 1 category"},
    {"LongTitleInADoubleByteEncoding",
     Head + "<META CHARSET=\"windows-1252\"><DL><p><DT><A HREF=\"http://x/\">" +
         std::string(4095, 'a') + "\x83\x41</A></DL>",
     "I Bookmarks/" + std::string(100, 'a') + " = http://x/\n",
     "2 entries imported into 1 category"},
    {"NotABookmarksFile", "<html><body><a href=\"http://x/\">x</a></body></html>", "",
     "The file is not a bookmarks file as browsers export them."},
    {"BinaryFile", std::string("\x00\x01\x7F<\xFF\xFE>\x00", 8), "",
     "The file is not a bookmarks file as browsers export them."},
    {"EmptyFile", "", "", "The file is not a bookmarks file as browsers export them."},
    {"CutShortInAFolder", Head + "<DL><p><DT><A HREF=\"http://x/\">x</A>", "",
     "The file ends in the middle: it seems to have been cut short."},
    {"CutShortInATag", Head + "<DL><p><DT><A HREF=\"http://x/>x</A></DL>", "",
     "The file ends in the middle: it seems to have been cut short."},
    {"UnknownEncoding", Head + "<META CHARSET=\"klingon\"><DL><p></DL>", "",
     "The file's text is in an encoding this program does not know (klingon)."},
    {"EncodingTheSystemLacks", Head + "<META CHARSET=\"Shift_JIS\"><DL><p></DL>", "",
     "Windows cannot read the file's text encoding (Shift_JIS) on this computer."},
};

void PrintTo(const ReadCase& tested, std::ostream* out) {
    *out << tested.name;
}

class ReadBookmarksTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadBookmarksTest, ImportsWhatTheFileHoldsOrNothing) {
    FakePlatform fake;
    fake.codePage.leadBytes[0x83] = true; // as in a double-byte code page
    Menus menus;
    CreateGroupEntry(*menus.categories().run, "Mine", LinkKindRun, EntryTypeGroup);
    const std::string before = Describe(menus.categories());
    const ImportOutcome outcome = Import(fake, menus, GetParam().file);
    if (GetParam().items.empty()) {
        EXPECT_FALSE(outcome.prepared);
        EXPECT_EQ(outcome.failure, GetParam().outcome);
        EXPECT_EQ(Describe(menus.categories()), before);
        return;
    }
    ASSERT_TRUE(outcome.prepared) << outcome.failure;
    EXPECT_EQ(outcome.prepared->Summary().Text(), GetParam().outcome);
    EXPECT_EQ(ListItems(menus.categories()), GetParam().items);
    EXPECT_EQ(Describe(menus.categories()).rfind(before, 0), 0u) << "what was there stays first";
}

INSTANTIATE_TEST_SUITE_P(Files, ReadBookmarksTest, ::testing::ValuesIn(ReadCases),
                         [](const auto& tested) { return std::string(tested.param.name); });

// A file of 100 MB: a link whose icon and title are each about half of it. Memory stays
// bounded by what is kept of a tag and of a title.
TEST(BookmarksTest, AHugeFileIsReadAPieceAtATime) {
    FakePlatform fake;
    Menus menus;
    const std::size_t half = 50u << 20;
    std::string file = Head + "<DL><p><DT><A HREF=\"http://big.example/\" ICON=\"";
    file.append(half, 'i');
    file += "\">";
    file.append(half, 't');
    file += "</A></DL><p>";
    const ImportOutcome outcome = Import(fake, menus, file);
    ASSERT_TRUE(outcome.prepared) << outcome.failure;
    EXPECT_EQ(ListItems(menus.categories()),
              "I Bookmarks/" + std::string(100, 't') + " = http://big.example/\n");
}

TEST(BookmarksTest, ASecondImportGetsANameOfItsOwn) {
    FakePlatform fake;
    Menus menus;
    CreateGroupEntry(*menus.categories().run, "bookmarks", LinkKindRun, EntryTypeGroup);
    const std::string file = Head + "<DL><p><DT><A HREF=\"http://x/\">x</A></DL><p>";
    Import(fake, menus, file);
    Import(fake, menus, file);
    EXPECT_EQ(ListItems(menus.categories()),
              "I Bookmarks 2/x = http://x/\nI Bookmarks 3/x = http://x/\n");
}

// ---- Export --------------------------------------------------------------------------------

const char* const ExportPath = "C:\\Users\\me\\Vantrel.html";

TEST(BookmarksTest, ExportIsABookmarksFileAPersonCanRead) {
    FakePlatform fake;
    Menus menus;
    MenuNode& tools = CreateGroupEntry(*menus.categories().applications, "Tools & more",
                                       LinkKindApplication, EntryTypeGroup);
    ItemFields app{"Editor",
                   "C:\\Program Files\\Ed\\ed.exe",
                   "-n \"a b\"",
                   "C:\\Work",
                   1,
                   LinkKindApplication,
                   EntryTypeItem};
    CreateItemEntry(tools, app);
    CreateItemEntry(*menus.categories().run,
                    {"Ping", "cmd /K ping x", "", "", 0, LinkKindRun, EntryTypeItem});
    CreateItemEntry(*menus.categories().files,
                    {" Caf\xE9 ", "C:\\Caf\xE9\\", "", "", 0, LinkKindFile, EntryTypeFolder});
    const ExportOutcome outcome = ExportBookmarks(menus.categories(), ExportPath, fake.platform);
    ASSERT_TRUE(outcome.written);
    EXPECT_EQ(outcome.entries, 4);
    const std::string& file = fake.files.files[ExportPath];
    const std::string body = file.substr(file.find("<TITLE>"));
    EXPECT_EQ(
        body,
        "<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks</H1>\n<DL><p>\n"
        "    <DT><H3 VANTREL_CATEGORY=\"7\">Files and Folders</H3>\n    <DL><p>\n"
        "        <DT><A HREF=\"file:///C:/Caf%C3%A9/\" "
        "VANTREL_TYPE=\"2\">&#32;Caf\xC3\xA9&#32;</A>\n"
        "    </DL><p>\n"
        "    <DT><H3 VANTREL_CATEGORY=\"6\">Internet Links</H3>\n    <DL><p>\n    </DL><p>\n"
        "    <DT><H3 VANTREL_CATEGORY=\"5\">Network Resources</H3>\n    <DL><p>\n    </DL><p>\n"
        "    <DT><H3 VANTREL_CATEGORY=\"4\">Applications</H3>\n    <DL><p>\n"
        "        <DT><H3>Tools &amp; more</H3>\n        <DL><p>\n"
        "            <DT><A HREF=\"file:///C:/Program%20Files/Ed/ed.exe\" "
        "VANTREL_PARAMETERS=\"-n &quot;a b&quot;\" VANTREL_WORKDIR=\"C:\\Work\" "
        "VANTREL_ADMIN=\"1\">Editor</A>\n"
        "        </DL><p>\n    </DL><p>\n"
        "    <DT><H3 VANTREL_CATEGORY=\"3\">Run</H3>\n    <DL><p>\n"
        "        <DT><A HREF=\"file:///cmd\" VANTREL_TARGET=\"cmd /K ping x\">Ping</A>\n"
        "    </DL><p>\n"
        "</DL><p>\n");
    EXPECT_EQ(file.rfind(Head.substr(0, 36), 0), 0u);
    EXPECT_NE(file.find(Utf8Meta), std::string::npos);
}

TEST(BookmarksTest, AFailedExportLeavesTheOldFile) {
    FakePlatform fake;
    Menus menus;
    CreateDefaultContent(menus.categories(), fake.platform, menus.facts);
    fake.files.files[ExportPath] = "the old export";
    fake.files.fault = testing::FakeFiles::Fault{"flush", 1};
    const ExportOutcome outcome = ExportBookmarks(menus.categories(), ExportPath, fake.platform);
    EXPECT_FALSE(outcome.written);
    EXPECT_FALSE(outcome.failure.empty());
    EXPECT_EQ(fake.files.files[ExportPath], "the old export");
    EXPECT_EQ(fake.files.files.count(std::string(ExportPath) + ".tmp"), 0u);

    struct OutOfMemory : testing::FakeFiles {
        using FakeFiles::FakeFiles;
        bool Write(FileHandle, const std::uint8_t*, std::size_t) override {
            throw std::bad_alloc();
        }
    } files{fake.log};
    files.files = fake.files.files;
    Platform platform = fake.With().Files(files);
    EXPECT_FALSE(ExportBookmarks(menus.categories(), ExportPath, platform).written);
    EXPECT_EQ(files.files, fake.files.files);
}

// Into a tree with entries our own export is a source like any other: one new group in each
// category it fills, holding what the category held, each entry as it was.
TEST(BookmarksTest, OurExportBesideEntriesIsOneNewGroupPerCategory) {
    FakePlatform fake;
    Menus menus;
    CreateDefaultContent(menus.categories(), fake.platform, menus.facts);
    ASSERT_TRUE(ExportBookmarks(menus.categories(), ExportPath, fake.platform).written);
    const std::string before = ListItems(menus.categories());
    const ImportOutcome outcome = Import(fake, menus, fake.files.files[ExportPath]);
    ASSERT_TRUE(outcome.prepared) << outcome.failure;
    std::string expected;
    for (const char letter : std::string("RANIF")) {
        std::istringstream lines(before);
        std::string held, copies;
        for (std::string line; std::getline(lines, line);)
            if (line[0] == letter) {
                held += line + "\n";
                copies += line.substr(0, 2) + "Bookmarks/" + line.substr(2) + "\n";
            }
        expected += held + copies;
    }
    EXPECT_EQ(ListItems(menus.categories()), expected);
}

// Trees with what a file can hold and a link cannot say: texts with markup, blanks at the
// ends, other code page characters; kinds and types a category does not usually hold; an
// empty group; groups down to the deepest level kept.
void FillOddTree(const Categories& categories) {
    MenuNode& run = CreateGroupEntry(*categories.run, "", LinkKindRun, EntryTypeGroup);
    CreateItemEntry(run, {"<b>&amp;\"", "cmd /c \"echo a & b\"", "", "", 7, LinkKindRun, 1});
    CreateItemEntry(run, {"\ttab", "", "", "", 0, LinkKindInternet, EntryTypeFolder});
    CreateGroupEntry(*categories.network, "  empty  ", LinkKindFile, EntryTypeFolder);
    CreateItemEntry(*categories.internet,
                    {"Caf\xE9", "http://x/?a=%20&b=\xE9#f", "", "", 0, LinkKindInternet, 1});
    CreateItemEntry(*categories.files, {"Root", "%SystemRoot%", "", "", 0, LinkKindFile, 2});
    CreateItemEntry(*categories.files, {"Rel", "docs/a b.txt", "", "", 0, LinkKindFile, 1});
    MenuNode* deep = categories.applications;
    for (int depth = 0; depth < 99; ++depth)
        deep = &CreateGroupEntry(*deep, std::to_string(depth), LinkKindApplication, 0);
    CreateItemEntry(*deep, {"Deepest", "a.exe", "/x", "C:\\", 0, LinkKindApplication, 1});
}

struct RoundTrip {
    const char* name;
    void (*fill)(const Categories&, FakePlatform&, Menus&);
};

const RoundTrip RoundTrips[] = {
    {"DefaultTree", [](const Categories& c, FakePlatform& fake,
                       Menus& m) { CreateDefaultContent(c, fake.platform, m.facts); }},
    {"OddTree", [](const Categories& c, FakePlatform&, Menus&) { FillOddTree(c); }},
    {"FiftyThousandEntries",
     [](const Categories& c, FakePlatform&, Menus&) { testing::FillLargeTree(c); }},
};

void PrintTo(const RoundTrip& tested, std::ostream* out) { *out << tested.name; }

class RoundTripTest : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(RoundTripTest, ImportingTheExportGivesTheSameTree) {
    FakePlatform fake;
    Menus original;
    GetParam().fill(original.categories(), fake, original);
    ASSERT_TRUE(ExportBookmarks(original.categories(), ExportPath, fake.platform).written);
    Menus copy;
    const ImportOutcome outcome = Import(fake, copy, fake.files.files[ExportPath]);
    ASSERT_TRUE(outcome.prepared) << outcome.failure;
    EXPECT_EQ(outcome.prepared->Summary().Skipped(), 0);
    EXPECT_EQ(Describe(copy.categories()), Describe(original.categories()));
}

INSTANTIATE_TEST_SUITE_P(Trees, RoundTripTest, ::testing::ValuesIn(RoundTrips),
                         [](const auto& tested) { return std::string(tested.param.name); });

} // namespace
} // namespace vantrel
