#pragma once
// The Disk Drives menu: one row per drive letter present at the moment the main menu
// opens, rebuilt before every opening.

#include "platform/Platform.h"
#include "tree/MenuNode.h"

#include <cstddef>
#include <memory>
#include <string>

namespace vantrel {

// Icons of drives that may take long to answer (a letter mapped to a network share that
// does not respond, an empty removable drive). They are asked for on the platform's
// background thread; the result goes to whichever row shows that drive when it arrives,
// so the menu never waits. At most one lookup per drive is running at any time, however
// often the menu is rebuilt meanwhile.
class DriveIconRequests {
  public:
    DriveIconRequests();
    DriveIconRequests(const DriveIconRequests&) = delete;
    DriveIconRequests& operator=(const DriveIconRequests&) = delete;
    ~DriveIconRequests();

    // The picture comes at side x side pixels.
    void Request(const std::string& root, MenuNode& disks, DrivesApi& drives, int side);
    std::size_t Pending() const;

  private:
    struct State;
    // Shared with the callbacks the platform holds, which must find it gone when the
    // menus are: they keep only a weak reference.
    std::shared_ptr<State> state_;
};

// Fixed and RAM drives answer at once; anything else may wait on a medium or a server.
bool DriveAnswersAtOnce(DriveType type);

// Releases the old rows and their records, then adds "A:".."Z:" for the letters present,
// in letter order, each opening its root ("C:\") through the shell when clicked, with the
// drive's picture at side x side pixels.
void BuildDiskDrivesMenu(MenuNode& disks, Platform& platform, DriveIconRequests& requests,
                         int side = IconSide);

} // namespace vantrel
