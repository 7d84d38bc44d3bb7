#pragma once
// Recording stand-in for the logical drives. Background icon lookups stay running until
// the test finishes them, as the GUI thread would see a slow network share answer late.

#include "platform/DrivesApi.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace vantrel::testing {

struct CallLog;

class FakeDrives : public DrivesApi {
  public:
    explicit FakeDrives(CallLog& log) : log_(log) {}

    std::uint32_t mask = 0;
    std::map<std::string, DriveType> types; // by root ("H:\"); any other drive is fixed
    bool refuseBackground = false;          // the platform cannot start a lookup

    struct Lookup {
        std::string path;
        IconDone done;
    };
    std::vector<Lookup> running; // background lookups not yet finished, oldest first

    std::uint32_t LogicalDrives() override;
    DriveType TypeOfDrive(const std::string& root) override;
    bool RequestIconInBackground(const std::string& path, int side, IconDone done) override;

    // Ends the oldest running lookup of the path with this answer; false when none runs.
    bool Finish(const std::string& path, std::optional<RawIcon> icon);

    // The mask of a set of letters: Letters("CDH").
    static std::uint32_t Letters(const std::string& letters);

  private:
    CallLog& log_;
};

} // namespace vantrel::testing
