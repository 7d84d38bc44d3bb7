// The real file operations, with the properties the configuration save relies on, in a
// folder whose name the code page cannot hold (as a profile folder may be).
#include "win32/Win32Files.h"
#include "win32/WideText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace vantrel::win32 {
namespace {

class Win32FilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        dir_ = ToUtf8(temp, wcslen(temp)) + "vantrel files \xD0\x9F \xCE\xA9 \xE6\x9D\xB1";
        CreateDirectoryW(WidenUtf8(dir_).c_str(), nullptr);
        for (const char* name : {"a.dat", "b.dat", "c.dat"})
            DeleteFileW(WidenUtf8(Path(name)).c_str());
    }
    void TearDown() override {
        for (const char* name : {"a.dat", "b.dat", "c.dat"})
            DeleteFileW(WidenUtf8(Path(name)).c_str());
        RemoveDirectoryW(WidenUtf8(dir_).c_str());
    }
    std::string Path(const char* name) const { return dir_ + "\\" + name; }

    void WriteText(const std::string& path, const std::string& text) {
        const FileHandle file = files_.CreateForWriting(path);
        ASSERT_NE(file, NoFile);
        ASSERT_TRUE(
            files_.Write(file, reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
        ASSERT_TRUE(files_.TruncateHere(file));
        ASSERT_TRUE(files_.Flush(file));
        ASSERT_TRUE(files_.Close(file));
    }
    std::string ReadText(const std::string& path) {
        const FileHandle file = files_.OpenForReading(path);
        if (file == NoFile)
            return "<no file>";
        std::string text(64, '\0');
        const auto read = files_.Read(file, reinterpret_cast<std::uint8_t*>(&text[0]), 64);
        files_.Close(file);
        return read ? text.substr(0, *read) : "<read failed>";
    }

    Win32Files files_;
    std::string dir_;
};

TEST_F(Win32FilesTest, WriteReadSizeAndTheEndOfTheFile) {
    WriteText(Path("a.dat"), "hello world");
    const FileHandle file = files_.OpenForReading(Path("a.dat"));
    ASSERT_NE(file, NoFile);
    EXPECT_EQ(files_.SizeOf(file), std::optional<std::uint64_t>(11));
    std::uint8_t buffer[32] = {};
    EXPECT_EQ(files_.Read(file, buffer, sizeof buffer), std::optional<std::size_t>(11));
    EXPECT_EQ(files_.Read(file, buffer, 4), std::optional<std::size_t>(0));
    EXPECT_TRUE(files_.Close(file));

    WriteText(Path("a.dat"), "short"); // creating again empties the file first
    EXPECT_EQ(ReadText(Path("a.dat")), "short");
}

TEST_F(Win32FilesTest, AnOpenFileIsNeitherSharedNorRenamed) {
    const FileHandle file = files_.CreateForWriting(Path("a.dat"));
    ASSERT_NE(file, NoFile);
    EXPECT_EQ(files_.OpenForReading(Path("a.dat")), NoFile);
    EXPECT_FALSE(files_.RenameReplacing(Path("a.dat"), Path("b.dat")));
    EXPECT_TRUE(files_.Close(file));
    EXPECT_TRUE(files_.RenameReplacing(Path("a.dat"), Path("b.dat")));
}

// What the balloon of a failed save tells the user.
TEST_F(Win32FilesTest, AFailureIsToldInTheSystemsWords) {
    EXPECT_EQ(files_.CreateForWriting(dir_ + "\\no such folder\\a.dat"), NoFile);
    const std::string text = files_.LastErrorText();
    // "The system cannot find the path specified." on Windows, "Path not found." under Wine.
    EXPECT_NE(text.find("ath"), std::string::npos) << text;
    EXPECT_NE(text.back(), '\n') << text;
}

TEST_F(Win32FilesTest, RenamesReplaceOrKeepTheTarget) {
    WriteText(Path("a.dat"), "new");
    WriteText(Path("b.dat"), "old");
    EXPECT_FALSE(files_.RenameKeeping(Path("a.dat"), Path("b.dat")));
    EXPECT_EQ(ReadText(Path("b.dat")), "old");
    EXPECT_TRUE(files_.RenameReplacing(Path("a.dat"), Path("b.dat")));
    EXPECT_EQ(ReadText(Path("b.dat")), "new");
    EXPECT_FALSE(files_.Exists(Path("a.dat")));
    EXPECT_TRUE(files_.RenameKeeping(Path("b.dat"), Path("c.dat")));
    EXPECT_EQ(ReadText(Path("c.dat")), "new");
}

TEST_F(Win32FilesTest, ExistsAndRemove) {
    EXPECT_FALSE(files_.Exists(Path("a.dat")));
    EXPECT_FALSE(files_.Exists(dir_ + "\\no such folder\\a.dat"));
    EXPECT_EQ(files_.OpenForReading(Path("a.dat")), NoFile);
    WriteText(Path("a.dat"), "x");
    EXPECT_TRUE(files_.Exists(Path("a.dat")));
    EXPECT_TRUE(files_.Remove(Path("a.dat")));
    EXPECT_FALSE(files_.Remove(Path("a.dat")));
    EXPECT_FALSE(files_.Exists(Path("a.dat")));
}

// The code page here is a Western one: it holds "\xC3\xA9" but not the folder's other letters.
TEST_F(Win32FilesTest, TheCodePageTakesWhatItHoldsAndTheShortPathTheRest) {
    Win32CodePage codePage;
    EXPECT_EQ(codePage.Utf8ToAnsi("caf\xC3\xA9"), std::optional<std::string>("caf\xE9"));
    EXPECT_EQ(codePage.AnsiToUtf8("caf\xE9"), "caf\xC3\xA9");
    EXPECT_EQ(codePage.UpperCase("caf\xE9 \xF7 \xFFx"), "CAF\xC9 \xF7 \x9FX"); // cp1252
    EXPECT_EQ(codePage.Utf8ToAnsi(dir_), std::nullopt);
    WriteText(Path("a.dat"), "short");
    const std::optional<std::string> stored = StorablePath(Path("a.dat"), codePage);
    ASSERT_TRUE(stored.has_value()); // Wine and NTFS both keep short names
    EXPECT_EQ(ReadText(*stored), "short");
    EXPECT_EQ(codePage.ShortPathOf(Path("missing.dat")), std::nullopt);
    EXPECT_EQ(codePage.LeadBytes(AnsiCodePage), NoLeadBytes);
    const LeadByteTable japanese = codePage.LeadBytes(932);
    EXPECT_TRUE(japanese[0x81] && japanese[0x9F] && japanese[0xE0] && japanese[0xFC]);
    EXPECT_FALSE(japanese[0x41] || japanese[0x80] || japanese[0xA0] || japanese[0xFD]);
}

} // namespace
} // namespace vantrel::win32
