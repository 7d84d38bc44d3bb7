#include "tree/Configuration.h"
#include "tree/ConfigTestSupport.h"
#include "tree/Entries.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using namespace testing;

ItemFields Fields(std::string title, std::string target, std::uint8_t kind,
                  std::uint8_t admin = 0) {
    ItemFields fields;
    fields.title = std::move(title);
    fields.target = std::move(target);
    fields.kind = kind;
    fields.runAsAdmin = admin;
    return fields;
}

struct Store {
    FakePlatform fake;
    Menus menus;

    bool Save() { return SaveConfiguration(menus.categories(), fake.platform); }
    // Loads into fresh menus, as the next start of the program does.
    LoadReport LoadFresh(Menus& into) {
        return LoadConfiguration(into.categories(), fake.platform);
    }
    std::string& File(const char* path) { return fake.files.files[path]; }
};

void Put(std::string& bytes, std::size_t offset, const std::string& text) {
    bytes.replace(offset, text.size(), text);
}

TEST(ConfigurationSaveTest, SmallTreeIsWrittenByteForByte) {
    Store store;
    const Categories& c = store.menus.categories();
    MenuNode& outer = CreateGroupEntry(*c.run, "G", LinkKindRun, EntryTypeGroup);
    MenuNode& inner = CreateGroupEntry(outer, "H", LinkKindRun, EntryTypeGroup);
    CreateItemEntry(inner, Fields("I", "cmd /K x", LinkKindRun, 1));
    ItemFields web = Fields("w", "http://www.a.b", LinkKindInternet);
    web.parameters = "p";
    web.workDir = "d";
    CreateItemEntry(*c.internet, web);
    ASSERT_TRUE(store.Save());

    // Written out by hand from the layout: version, header, 3 Run records, 1 Internet record.
    std::string expected(6008 + 889 * 4, '\0');
    expected[0] = 1;
    expected[4 + 0] = 3;  // Run count
    expected[4 + 12] = 1; // Internet Links count
    expected[4 + 2003] = 1;
    std::size_t r = 6008;
    Put(expected, r, "G");
    expected[r + 885] = 3;
    expected[r + 887] = 1;
    r += 889;
    Put(expected, r, "H");
    expected[r + 885] = 3;
    expected[r + 887] = 1;
    expected[r + 888] = 1;
    r += 889;
    Put(expected, r, "I");
    Put(expected, r + 101, "cmd /K x");
    expected[r + 884] = 1;
    expected[r + 885] = 3;
    expected[r + 886] = 1;
    expected[r + 888] = 2;
    r += 889;
    Put(expected, r, "w");
    Put(expected, r + 101, "http://www.a.b");
    Put(expected, r + 362, "p");
    Put(expected, r + 623, "d");
    expected[r + 885] = 6;
    expected[r + 886] = 1;

    EXPECT_EQ(store.File(PrimaryPath), expected);
    EXPECT_EQ(store.File(CopyPath), expected);
    EXPECT_EQ(store.fake.files.files.size(), 2u) << "no temporary file is left behind";
}

TEST(ConfigurationSaveTest, WritesTheCopyFirstEachThroughAFlushedTemporary) {
    Store store;
    CreateGroupEntry(*store.menus.categories().files, "F", LinkKindFile, EntryTypeGroup);
    ASSERT_TRUE(store.Save());
    const std::vector<std::string> expected = {
        "File create path=C:\\Tools\\Config2.dat.tmp",
        "File write path=C:\\Tools\\Config2.dat.tmp bytes=4",
        "File write path=C:\\Tools\\Config2.dat.tmp bytes=6004",
        "File write path=C:\\Tools\\Config2.dat.tmp bytes=889",
        "File truncate path=C:\\Tools\\Config2.dat.tmp",
        "File flush path=C:\\Tools\\Config2.dat.tmp",
        "File close path=C:\\Tools\\Config2.dat.tmp",
        "File rename-replacing from=C:\\Tools\\Config2.dat.tmp to=C:\\Tools\\Config2.dat",
        "File create path=C:\\Tools\\Config.dat.tmp",
        "File write path=C:\\Tools\\Config.dat.tmp bytes=4",
        "File write path=C:\\Tools\\Config.dat.tmp bytes=6004",
        "File write path=C:\\Tools\\Config.dat.tmp bytes=889",
        "File truncate path=C:\\Tools\\Config.dat.tmp",
        "File flush path=C:\\Tools\\Config.dat.tmp",
        "File close path=C:\\Tools\\Config.dat.tmp",
        "File rename-replacing from=C:\\Tools\\Config.dat.tmp to=C:\\Tools\\Config.dat",
    };
    EXPECT_EQ(store.fake.log.Matching("File "), expected);
}

TEST(ConfigurationSaveTest, ReadOnlyDirectoryWritesNothingAndKeepsTheFiles) {
    Store store;
    store.File(PrimaryPath) = "old";
    store.fake.files.readOnlyDirectory = true;
    CreateGroupEntry(*store.menus.categories().run, "G", LinkKindRun, EntryTypeGroup);
    EXPECT_FALSE(store.Save());
    EXPECT_EQ(store.File(PrimaryPath), "old");
    EXPECT_EQ(store.fake.files.files.size(), 1u);
}

TEST(ConfigurationSaveTest, FilesLieBesideTheProgram) {
    struct Case {
        std::string program;
        std::string primary; // empty: no files at all
    };
    const Case cases[] = {
        {"C:\\Tools\\Vantrel.exe", "C:\\Tools\\Config.dat"},
        {"C:\\Vantrel.exe", "C:\\Config.dat"},
        {"\\\\server\\share\\Vantrel.exe", "\\\\server\\share\\Config.dat"},
        {"Vantrel.exe", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        FakePlatform fake;
        fake.process.moduleFileName = c.program;
        const auto paths = ConfigurationPathsOf(fake.process);
        if (c.primary.empty()) {
            EXPECT_FALSE(paths) << c.program;
            Menus menus;
            EXPECT_FALSE(SaveConfiguration(menus.categories(), fake.platform));
            EXPECT_FALSE(LoadConfiguration(menus.categories(), fake.platform).valid);
            EXPECT_TRUE(fake.log.Matching("File ").empty());
            continue;
        }
        ASSERT_TRUE(paths) << c.program;
        EXPECT_EQ(paths->primary, c.primary);
        EXPECT_EQ(paths->copy, c.primary.substr(0, c.primary.size() - 10) + "Config2.dat");
    }
}

TEST(ConfigurationRoundTripTest, NestingOrderAndCutTexts) {
    Store store;
    const Categories& c = store.menus.categories();
    ItemFields longItem =
        Fields(std::string(150, 't'), std::string(300, 'g'), LinkKindApplication, 1);
    longItem.parameters = std::string(260, 'p') + "cut";
    longItem.workDir = std::string(261, 'w');
    MenuNode& apps = CreateGroupEntry(*c.applications, "Apps", LinkKindApplication, 0);
    CreateItemEntry(apps, longItem);
    MenuNode& deeper = CreateGroupEntry(apps, "Deeper", LinkKindApplication, 0);
    CreateItemEntry(deeper, Fields("Calc", "calc.exe", LinkKindApplication));
    CreateItemEntry(apps, Fields("After", "C:\\a.exe", LinkKindApplication));
    CreateItemEntry(*c.applications, Fields("Top", "C:\\b.exe", LinkKindApplication));
    ItemFields folder = Fields("Root", "%SystemRoot%", LinkKindFile);
    folder.entryType = EntryTypeFolder;
    CreateItemEntry(*c.files, folder);
    CreateItemEntry(*c.network, Fields("Share", "\\\\h\\s", LinkKindNetwork));
    ASSERT_TRUE(store.Save());

    Menus loaded;
    ASSERT_TRUE(store.LoadFresh(loaded).valid);
    const std::string expected = "Applications: G Apps|kind=4|type=0\n"
                                 "Applications:   I " +
                                 std::string(100, 't') + "|" + std::string(260, 'g') + "|" +
                                 std::string(260, 'p') + "|" + std::string(260, 'w') +
                                 "|admin=1|kind=4|type=1\n"
                                 "Applications:   G Deeper|kind=4|type=0\n"
                                 "Applications:     I Calc|calc.exe|||admin=0|kind=4|type=1\n"
                                 "Applications:   I After|C:\\a.exe|||admin=0|kind=4|type=1\n"
                                 "Applications: I Top|C:\\b.exe|||admin=0|kind=4|type=1\n"
                                 "Network: I Share|\\\\h\\s|||admin=0|kind=5|type=1\n"
                                 "Files: I Root|%SystemRoot%|||admin=0|kind=7|type=2\n";
    EXPECT_EQ(Describe(loaded.categories()), expected);
    // Each entry lands after the fixed "Add New Item" and separator, with its submenus.
    EXPECT_EQ(loaded.categories().applications->Child(2).caption, "Apps");
    EXPECT_EQ(loaded.categories().applications->Child(2).Child(0).caption, "Actions");

    // Saving what was loaded gives the same bytes again.
    const std::string first = store.File(PrimaryPath);
    ASSERT_TRUE(SaveConfiguration(loaded.categories(), store.fake.platform));
    EXPECT_EQ(store.File(PrimaryPath), first);
}

TEST(ConfigurationRoundTripTest, DepthAndCountLimits) {
    Store store;
    const Categories& c = store.menus.categories();
    MenuNode* parent = c.run;
    for (int depth = 0; depth < 101; ++depth)
        parent = &CreateGroupEntry(*parent, "d" + std::to_string(depth), LinkKindRun, 0);
    for (int i = 0; i < 10001; ++i)
        CreateGroupEntry(*c.network, std::to_string(i), LinkKindNetwork, 0);
    EXPECT_EQ(CountEntries(*c.run, 0), 100);
    EXPECT_EQ(CountEntries(*c.run, 100), 0);
    EXPECT_EQ(CountEntries(*c.run, -1), 0);
    ASSERT_TRUE(store.Save());
    EXPECT_EQ(store.File(PrimaryPath).size(), 6008u + 889u * (100 + 10000));

    Menus loaded;
    ASSERT_TRUE(store.LoadFresh(loaded).valid);
    EXPECT_EQ(CountEntries(*loaded.categories().run, 0), 100);
    EXPECT_EQ(CountEntries(*loaded.categories().network, 0), 10000);
    const MenuNode& network = *loaded.categories().network;
    EXPECT_EQ(network.Child(network.Count() - 1).caption, "9999");
}

TEST(ConfigurationRoundTripTest, FlattenNeverWritesAtOrBeyondCapacity) {
    Menus menus;
    for (int i = 0; i < 3; ++i)
        CreateGroupEntry(*menus.categories().run, "g", LinkKindRun, 0);
    std::vector<std::uint8_t> records(889 * 3, 0xEE);
    std::int32_t next = 0;
    FlattenEntries(*menus.categories().run, 0, 2, next, records.data());
    EXPECT_EQ(next, 2);
    EXPECT_EQ(records[889 * 2], 0xEE);
    next = -1;
    FlattenEntries(*menus.categories().run, 0, 2, next, records.data());
    EXPECT_EQ(next, -1);
}

// ---- Loading hand-made files -------------------------------------------------------------

FileSpec RunOnly(std::vector<RecordSpec> records, std::vector<std::int32_t> counts = {}) {
    FileSpec spec;
    spec.categories[0] = std::move(records);
    spec.counts = std::move(counts);
    return spec;
}

struct LoadCase {
    const char* name;
    FileSpec file;
    std::string expected; // Describe() of the loaded tree
};

TEST(ConfigurationRoundTripTest, EntryBelowAnItemFollowsItsCommandsAndIsSavedAgain) {
    Store store;
    store.File(PrimaryPath) = FileBytes(RunOnly({Item("I", 0), Item("J", 1), Item("K", 0)}));
    const std::string stored = store.File(PrimaryPath);
    Menus loaded;
    ASSERT_TRUE(store.LoadFresh(loaded).valid);

    const MenuNode& item = loaded.categories().run->Child(2);
    ASSERT_EQ(item.caption, "I");
    ASSERT_EQ(item.Count(), 5u);
    EXPECT_EQ(item.Child(0).caption, "Actions");
    EXPECT_EQ(item.Child(3).caption, "Copy Link");
    EXPECT_EQ(item.Child(4).caption, "J");
    // An item nobody opened has no command nodes yet; saving must not need them either.
    const MenuNode& unopened = loaded.categories().run->Child(3);
    ASSERT_EQ(unopened.caption, "K");
    EXPECT_FALSE(unopened.HasMadeChildren());
    ASSERT_TRUE(SaveConfiguration(loaded.categories(), store.fake.platform));
    EXPECT_FALSE(unopened.HasMadeChildren());
    EXPECT_EQ(store.File(PrimaryPath), stored);
}

TEST(ConfigurationLoadTest, RecordRules) {
    RecordSpec fullTitle = Item(std::string(101, 'A'), 0);
    fullTitle.target = std::string(261, 'B');
    fullTitle.parameters = std::string(261, 'C');
    fullTitle.workDir = std::string(261, 'D');
    RecordSpec badType = Item("badtype", 0);
    badType.entryType = 3;
    RecordSpec oddGroup = Group("odd", 0);
    oddGroup.isGroup = 7;
    oddGroup.entryType = 2;
    oddGroup.target = "ignored";
    RecordSpec admin = Item("admin", 0);
    admin.runAsAdmin = 5;

    const LoadCase cases[] = {
        {"depth 100 or more is skipped",
         RunOnly({Group("G", 0), Item("deep", 100), Item("deeper", 255), Item("I", 1)}),
         "Run: G G|kind=3|type=0\nRun:   I I|t|||admin=0|kind=3|type=1\n"},
        {"no parent at the level above",
         RunOnly({Item("orphan", 1), Group("G", 0), Item("child", 1), Item("lost", 3)}),
         "Run: G G|kind=3|type=0\nRun:   I child|t|||admin=0|kind=3|type=1\n"},
        {"kinds outside 3 to 7 are dropped with children that have no other parent",
         RunOnly({Group("nine", 0, 9), Item("child", 1), Group("two", 0, 2), Group("eight", 0, 8),
                  Group("zero", 0, 0), Item("ok", 0, 7, "x")}),
         "Run: I ok|x|||admin=0|kind=7|type=1\n"},
        {"a skipped record leaves the slots as they were",
         RunOnly({Group("G", 0), Group("A", 1), Group("bad", 0, 9), Item("C", 1)}),
         "Run: G G|kind=3|type=0\nRun:   G A|kind=3|type=0\nRun:   I "
         "C|t|||admin=0|kind=3|type=1\n"},
        {"entry types above 2 are dropped", RunOnly({badType}), ""},
        {"the kind is not compared with the category", RunOnly({Item("web", 0, 6, "http://x")}),
         "Run: I web|http://x|||admin=0|kind=6|type=1\n"},
        {"the last byte of every text counts as zero", RunOnly({fullTitle}),
         "Run: I " + std::string(100, 'A') + "|" + std::string(260, 'B') + "|" +
             std::string(260, 'C') + "|" + std::string(260, 'D') + "|admin=0|kind=3|type=1\n"},
        {"a record below an item's level goes into the item", RunOnly({Item("I", 0), Item("J", 1)}),
         "Run: I I|t|||admin=0|kind=3|type=1\nRun:   I J|t|||admin=0|kind=3|type=1\n"},
        {"any non-zero group byte makes a group that keeps its stored type",
         RunOnly({oddGroup, admin}),
         "Run: G odd|kind=3|type=2\nRun: I admin|t|||admin=5|kind=3|type=1\n"},
        {"a non-zero sixth count has no records", RunOnly({Item("I", 0)}, {1, 0, 0, 0, 0, 10000}),
         "Run: I I|t|||admin=0|kind=3|type=1\n"},
    };
    for (const LoadCase& c : cases) {
        Store store;
        store.File(PrimaryPath) = FileBytes(c.file);
        Menus loaded;
        const LoadReport report = store.LoadFresh(loaded);
        EXPECT_TRUE(report.valid) << c.name;
        EXPECT_FALSE(report.keepStoredFiles) << c.name;
        EXPECT_EQ(Describe(loaded.categories()), c.expected) << c.name;
        EXPECT_TRUE(store.fake.files.files.count(PrimaryPath)) << c.name << ": a whole file stays";
    }
}

TEST(ConfigurationLoadTest, ShortCategoryStopsItAndTheLaterOnes) {
    FileSpec spec;
    spec.categories = {{Item("r", 0)},
                       {Item("a1", 0, 4, "C:\\a"), Item("a2", 0, 4, "C:\\b")},
                       {Item("n", 0, 5)},
                       {},
                       {}};
    std::string bytes = FileBytes(spec);
    bytes.resize(bytes.size() - 889 - 1); // the second application record lacks its last byte
    Store store;
    store.File(PrimaryPath) = bytes;
    Menus loaded;
    const LoadReport report = store.LoadFresh(loaded);
    EXPECT_TRUE(report.valid);
    EXPECT_EQ(Describe(loaded.categories()), "Run: I r|t|||admin=0|kind=3|type=1\n");
    // The damaged file is kept aside, whole, so that the next save cannot destroy it.
    EXPECT_FALSE(store.fake.files.files.count(PrimaryPath));
    EXPECT_EQ(store.File("C:\\Tools\\Config.dat.damaged"), bytes);
}

// A whole file is read a batch of records at a time: start-up never holds all of a large one.
// When a batch cannot be read, what the earlier ones added goes and the file is read again
// as any file that may be damaged.
TEST(ConfigurationLoadTest, AWholeFileComesInBatchesAndAFailedBatchLeavesNoHalfTree) {
    FileSpec spec;
    for (int i = 0; i < 2500; ++i)
        spec.categories[0].push_back(Item("r" + std::to_string(i), 0));
    spec.categories[1] = {Item("a", 0, 4, "C:\\a.exe")};
    Store store;
    store.File(PrimaryPath) = FileBytes(spec);
    Menus whole;
    ASSERT_TRUE(store.LoadFresh(whole).valid);
    const std::vector<std::string> reads = store.fake.log.Matching("File read");
    EXPECT_EQ(reads.size(), 6u); // version, header, three batches of Run, one of Applications
    for (const std::string& read : reads)
        EXPECT_LE(std::stoul(read.substr(read.rfind("bytes=") + 6)), 1024u * 889u) << read;

    for (int failing : {3, 4, 5}) {
        store.fake.files.Restart();
        store.fake.files.fault = FakeFiles::Fault{"read", failing};
        const long records = LinkEntry::LiveCount();
        Menus loaded;
        const LoadReport report = store.LoadFresh(loaded);
        EXPECT_TRUE(report.valid) << failing;
        EXPECT_FALSE(report.keepStoredFiles) << failing;
        EXPECT_EQ(Describe(loaded.categories()), Describe(whole.categories())) << failing;
        EXPECT_EQ(LinkEntry::LiveCount() - records, 2501) << failing;
    }
}

TEST(ConfigurationLoadTest, InvalidHeaderLoadsNothing) {
    FileSpec good;
    good.categories[0] = {Item("r", 0)};
    auto withCounts = [&](std::vector<std::int32_t> counts) {
        FileSpec spec = good;
        spec.counts = std::move(counts);
        return FileBytes(spec);
    };
    FileSpec version2 = good;
    version2.version = 2;
    FileSpec version0 = good;
    version0.version = 0;
    const std::pair<const char*, std::string> cases[] = {
        {"version 2", FileBytes(version2)},
        {"version 0", FileBytes(version0)},
        {"three bytes", std::string("\x01\x00\x00", 3)},
        {"empty", ""},
        {"short header", FileBytes(good).substr(0, 6007)},
        {"negative count", withCounts({-1, 0, 0, 0, 0, 0})},
        {"count above 10000", withCounts({1, 0, 0, 0, 10001, 0})},
        {"sixth count above 10000", withCounts({1, 0, 0, 0, 0, 10001})},
        {"sixth count negative", withCounts({1, 0, 0, 0, 0, -5})},
    };
    for (const auto& [name, bytes] : cases) {
        Store store;
        store.File(PrimaryPath) = bytes;
        Menus loaded;
        const LoadReport report = store.LoadFresh(loaded);
        EXPECT_FALSE(report.valid) << name;
        EXPECT_FALSE(report.keepStoredFiles) << name;
        EXPECT_EQ(Describe(loaded.categories()), "") << name;
        EXPECT_EQ(store.File("C:\\Tools\\Config.dat.damaged"), bytes) << name;
    }
}

// ---- Which copy is loaded ----------------------------------------------------------------

enum class Stored { Missing, WholeA, WholeB, BadVersion, Truncated, TooLong, Locked };

struct CopyCase {
    const char* name;
    Stored primary;
    Stored copy;
    std::string loaded; // "A", "B", "A partly", or "" for nothing
    bool valid;
    std::vector<std::string> setAside; // paths of the .damaged files afterwards
    bool atRisk = false;
};

std::string TreeFile(const std::string& title) {
    FileSpec spec;
    spec.categories = {{Group(title, 0), Item(title + "1", 1)}, {}, {}, {Item("w", 0, 6)}, {}};
    return FileBytes(spec);
}

void Place(Store& store, const char* path, Stored state) {
    const std::string a = TreeFile("A");
    std::string version3 = a;
    version3[0] = 3;
    switch (state) {
    case Stored::Missing:
        return;
    case Stored::WholeA:
        store.File(path) = a;
        return;
    case Stored::WholeB:
        store.File(path) = TreeFile("B");
        return;
    case Stored::BadVersion:
        store.File(path) = version3;
        return;
    case Stored::Truncated:
        store.File(path) = a.substr(0, a.size() - 1);
        return;
    case Stored::TooLong:
        store.File(path) = a + '\0';
        return;
    case Stored::Locked:
        store.File(path) = a;
        store.fake.files.locked.insert(path);
        return;
    }
}

TEST(ConfigurationLoadTest, LoadsTheFirstWholeCopy) {
    const std::string damagedPrimary = "C:\\Tools\\Config.dat.damaged";
    const std::string damagedCopy = "C:\\Tools\\Config2.dat.damaged";
    const CopyCase cases[] = {
        {"both whole", Stored::WholeA, Stored::WholeB, "A", true, {}},
        {"only the copy", Stored::Missing, Stored::WholeB, "B", true, {}},
        {"bad version", Stored::BadVersion, Stored::WholeB, "B", true, {}},
        {"torn primary", Stored::Truncated, Stored::WholeB, "B", true, {}},
        {"primary too long", Stored::TooLong, Stored::WholeB, "B", true, {}},
        {"primary held by another program", Stored::Locked, Stored::WholeB, "B", true, {}},
        {"whole primary, torn copy", Stored::WholeA, Stored::Truncated, "A", true, {}},
        {"torn primary alone",
         Stored::Truncated,
         Stored::Missing,
         "A partly",
         true,
         {damagedPrimary}},
        {"too long primary alone", Stored::TooLong, Stored::Missing, "A", true, {damagedPrimary}},
        {"both damaged",
         Stored::BadVersion,
         Stored::Truncated,
         "A partly",
         true,
         {damagedPrimary, damagedCopy}},
        {"both bad",
         Stored::BadVersion,
         Stored::BadVersion,
         "",
         false,
         {damagedPrimary, damagedCopy}},
        {"nothing", Stored::Missing, Stored::Missing, "", false, {}},
        {"locked primary alone", Stored::Locked, Stored::Missing, "", false, {}, true},
    };
    Menus reference;
    FakePlatform referencePlatform;
    referencePlatform.files.files[PrimaryPath] = TreeFile("A");
    LoadConfiguration(reference.categories(), referencePlatform.platform);
    const std::string treeA = Describe(reference.categories());
    const std::string treeB = [&] {
        Menus menus;
        FakePlatform platform;
        platform.files.files[PrimaryPath] = TreeFile("B");
        LoadConfiguration(menus.categories(), platform.platform);
        return Describe(menus.categories());
    }();
    const std::string partA = "Run: G A|kind=3|type=0\nRun:   I A1|t|||admin=0|kind=3|type=1\n";

    for (const CopyCase& c : cases) {
        Store store;
        Place(store, PrimaryPath, c.primary);
        Place(store, CopyPath, c.copy);
        Menus loaded;
        const LoadReport report = store.LoadFresh(loaded);
        EXPECT_EQ(report.valid, c.valid) << c.name;
        EXPECT_EQ(report.keepStoredFiles, c.atRisk) << c.name;
        const std::string tree = Describe(loaded.categories());
        const std::string expected = c.loaded == "A"          ? treeA
                                     : c.loaded == "B"        ? treeB
                                     : c.loaded == "A partly" ? partA
                                                              : "";
        EXPECT_EQ(tree, expected) << c.name;
        std::vector<std::string> damaged;
        for (const auto& [path, content] : store.fake.files.files)
            if (path.find(".damaged") != std::string::npos)
                damaged.push_back(path);
        EXPECT_EQ(damaged, c.setAside) << c.name;
    }
}

TEST(ConfigurationLoadTest, SettingAsideNeverReplacesAnEarlierDamagedFile) {
    Store store;
    store.File(PrimaryPath) = "new damage";
    store.File("C:\\Tools\\Config.dat.damaged") = "first";
    store.File("C:\\Tools\\Config.dat.damaged-2") = "second";
    Menus loaded;
    EXPECT_FALSE(store.LoadFresh(loaded).valid);
    EXPECT_EQ(store.File("C:\\Tools\\Config.dat.damaged"), "first");
    EXPECT_EQ(store.File("C:\\Tools\\Config.dat.damaged-2"), "second");
    EXPECT_EQ(store.File("C:\\Tools\\Config.dat.damaged-3"), "new damage");
    EXPECT_EQ(DamagedFileName("x", 1), "x.damaged");
}

// A process whose system calls fail by throwing, as running out of memory would.
struct FailingProcess : FakeProcess {
    using FakeProcess::FakeProcess;
    std::string WindowsDirectory() override { throw std::bad_alloc(); }
    void DisableRedirection(RedirectionCookie*) override { throw std::bad_alloc(); }
};

// Rebuilding reads no picture and looks at no directory, so a system that fails there can
// no longer cost a single record.
TEST(ConfigurationLoadTest, RebuildingAsksTheSystemForNothingButTheFile) {
    FileSpec spec;
    spec.categories = {{Item("r", 0)},
                       {Item("a", 0, 4, "C:\\a.exe"), Item("bare", 0, 4, "calc.exe")},
                       {Item("n", 0, 5)},
                       {},
                       {Item("file", 0, 7, "C:\\f.txt")}};
    FakePlatform fake;
    FailingProcess process(fake.log);
    process.isWow64 = process.hasDisable = process.hasRevert = true;
    fake.files.files[PrimaryPath] = FileBytes(spec);
    Menus loaded;
    Platform platform = WithProcess(fake, process);
    const LoadReport report = LoadConfiguration(loaded.categories(), platform);
    EXPECT_TRUE(report.valid);
    EXPECT_FALSE(report.keepStoredFiles);
    EXPECT_EQ(Describe(loaded.categories()),
              "Run: I r|t|||admin=0|kind=3|type=1\n"
              "Applications: I a|C:\\a.exe|||admin=0|kind=4|type=1\n"
              "Applications: I bare|calc.exe|||admin=0|kind=4|type=1\n"
              "Network: I n|t|||admin=0|kind=5|type=1\n"
              "Files: I file|C:\\f.txt|||admin=0|kind=7|type=1\n");
    for (const std::string& call : fake.log.calls)
        EXPECT_EQ(call.rfind("File ", 0), 0u) << call;
}

} // namespace
} // namespace vantrel
