#pragma once
// The logical drives of the machine and their small icons.

#include "platform/IconApi.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace vantrel {

// What GetDriveTypeA reports of a drive root.
enum class DriveType { Unknown, NoRootDir, Removable, Fixed, Remote, CdRom, RamDisk };

class DrivesApi {
  public:
    virtual ~DrivesApi() = default;

    // GetLogicalDrives: bit 0 is A:, bit 1 B:, ...; 0 when the call failed.
    virtual std::uint32_t LogicalDrives() = 0;
    // GetDriveTypeA of a root such as "C:\". Windows answers this from the drive letter's
    // device, without a request to the medium or to a network server.
    virtual DriveType TypeOfDrive(const std::string& root) = 0;

    using IconDone = std::function<void(std::optional<RawIcon>)>;
    // Asks the shell for a path's icon of side x side pixels (see IconApi) on another thread,
    // for drives whose lookup can
    // take as long as a network time-out. `done` runs later on the GUI thread, from its
    // message loop (a popup menu's loop included), with the icon or nothing; the platform
    // then repaints an open menu. False when the lookup could not be started: `done` is
    // then never called.
    virtual bool RequestIconInBackground(const std::string& path, int side, IconDone done) = 0;
};

} // namespace vantrel
