#pragma once
// Shared helpers of the configuration tests: hand-built files and a plain description of a
// tree that two trees can be compared by.

#include "app/MenuLayout.h"
#include "fakes/FakePlatform.h"
#include "platform/ProcessFacts.h"
#include "tree/Categories.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vantrel::testing {

extern const char* const PrimaryPath; // C:\Tools\Config.dat beside the fake's program
extern const char* const CopyPath;

// One record of 889 bytes; texts are copied as given, without any cut or terminating zero.
struct RecordSpec {
    std::string title;
    std::uint8_t kind = 3;
    std::uint8_t entryType = 1;
    std::uint8_t isGroup = 0;
    std::uint8_t depth = 0;
    std::string target;
    std::string parameters;
    std::string workDir;
    std::uint8_t runAsAdmin = 0;
};
std::string RecordBytes(const RecordSpec& spec);
RecordSpec Group(std::string title, std::uint8_t depth, std::uint8_t kind = 3);
RecordSpec Item(std::string title, std::uint8_t depth, std::uint8_t kind = 3,
                std::string target = "t");

// A file: version, header with the counts given (or the real ones), then the records.
struct FileSpec {
    std::uint32_t version = 1;
    std::vector<std::vector<RecordSpec>> categories = std::vector<std::vector<RecordSpec>>(5);
    // Overrides the counts written in the header (all six); empty: the real counts and 0.
    std::vector<std::int32_t> counts;
};
std::string FileBytes(const FileSpec& spec);

// The fake platform with another process in place of its own.
Platform WithProcess(FakePlatform& fake, ProcessApi& process);

// A fresh set of category menus, as the main form lays them out.
struct Menus {
    MainMenuLayout layout = BuildPopupMenuMain();
    ProcessFacts facts;
    const Categories& categories() const { return layout.categories; }
};

// Every entry of every category, one line each, indented by depth:
// "Run: G Tools" / "Run:   I Ping|cmd /K ping|params|dir|admin=1|kind=3|type=1".
std::string Describe(const Categories& categories);

} // namespace vantrel::testing
