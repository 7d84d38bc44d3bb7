#include "update/VersionNumber.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

struct ParseCase {
    std::string text;
    std::optional<std::int32_t> number;
};

TEST(VersionNumberTest, AcceptsOneIntegerAndNothingElse) {
    const ParseCase cases[] = {
        {"101", 101},
        {"100", 100},
        {"1234", 1234},
        {"0", 0},
        {"00101", 101},
        {"  42", 42}, // leading blanks
        {"+7", 7},    // a sign
        {" -0", 0},
        {"$65", 101},  // hexadecimal after a dollar sign
        {"0x65", 101}, // or after 0x
        {"0X1f", 31},
        {"-$1F", std::nullopt},
        {"2147483647", 2147483647},
        {"101\n", std::nullopt}, // a line break is something else
        {"101\r\n", std::nullopt},
        {"42 ", std::nullopt}, // so is a trailing blank
        {"\t42", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"+", std::nullopt},
        {"$", std::nullopt},
        {"0x", std::nullopt},
        {"1.0.1", std::nullopt},
        {"12a", std::nullopt},
        {"0x1g", std::nullopt},
        {"<html>", std::nullopt},
        {"-5", std::nullopt},         // never a version number
        {"2147483648", std::nullopt}, // beyond 32 bits
        {"$FFFFFFFF", std::nullopt},
        {"99999999999999999999999", std::nullopt},
        {std::string("101\0junk", 8), 101}, // the text ends at its first zero byte
        {std::string("\0"
                     "101",
                     4),
         std::nullopt},
    };
    for (const ParseCase& c : cases)
        EXPECT_EQ(ParseVersionText(c.text), c.number) << '"' << c.text << '"';
}

struct VerdictCase {
    std::uint32_t fetched;
    std::string text;
    std::string button;
    bool newer;
};

TEST(VersionNumberTest, TellsWhetherTheFetchedNumberIsNewerThanOurs) {
    const VerdictCase cases[] = {
        {0, "Unable to read version information.", "Ok", false},
        {99, "No new version is available at this time.", "Ok", false},
        {100, "No new version is available at this time.", "Ok", false},
        {101, "New version 1.0.1 is available", "Download", true},
        {110, "New version 1.1.0 is available", "Download", true},
        {1234, "New version 12.3.4 is available", "Download", true},
        {25699, "New version 0.9.9 is available", "Download", true}, // major kept in a byte
        {4294967295u, "New version 40.9.5 is available", "Download", true},
    };
    for (const VerdictCase& c : cases) {
        const VersionVerdict verdict = JudgeVersion(c.fetched, 100);
        EXPECT_EQ(verdict.text, c.text) << c.fetched;
        EXPECT_EQ(verdict.button, c.button) << c.fetched;
        EXPECT_EQ(verdict.newer, c.newer) << c.fetched;
    }
}

} // namespace
} // namespace vantrel
