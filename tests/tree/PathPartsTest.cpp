#include "tree/PathParts.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

struct PathCase {
    const char* path;
    const char* name;
    const char* directory;
};

TEST(PathPartsTest, SplitsNameAndDirectory) {
    const PathCase cases[] = {
        {"C:\\Windows\\notepad.exe", "notepad.exe", "C:\\Windows"},
        {"C:\\notepad.exe", "notepad.exe", "C:\\"},
        {"C:\\Tools\\my.app.exe", "my.app.exe", "C:\\Tools"},
        {"C:\\Users\\Public", "Public", "C:\\Users"},
        {"D:\\Data", "Data", "D:\\"},
        {"D:", "", "D:"},
        {"C:notepad.exe", "notepad.exe", "C:"},
        {"notepad.exe", "notepad.exe", ""},
        {"", "", ""},
        {"\\notepad.exe", "notepad.exe", "\\"},
        {"\\\\server\\share", "share", "\\\\server"},
        {"\\\\server", "server", "\\\\"},
        {"C:\\Tools\\", "", "C:\\Tools"},
        {"C:\\", "", "C:\\"},
        {"D:\\a\\\\b", "b", "D:\\a\\\\"},
        {"%SystemRoot%\\System32\\msconfig.exe", "msconfig.exe", "%SystemRoot%\\System32"},
        {"http://www.example.com/", "//www.example.com/", "http:"},
    };
    for (const PathCase& c : cases) {
        EXPECT_EQ(NamePart(c.path), c.name) << c.path;
        EXPECT_EQ(DirectoryPart(c.path), c.directory) << c.path;
    }
}

} // namespace
} // namespace vantrel
