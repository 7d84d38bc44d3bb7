// The System Links and Disk Drives menus.
#include "app/MainForm.h"

#include "generated/DiskDrives.h"
#include "generated/SystemLinkClick.h"
#include "generated/SystemLinks.h"
#include "render/RowPictures.h"

namespace vantrel {

void MainForm::BuildSystemLinksMenu() {
    vantrel::BuildSystemLinksMenu(*main_.system, platform_, facts_);
}

void MainForm::BuildDiskDrivesMenu() {
    vantrel::BuildDiskDrivesMenu(*main_.disks, platform_, driveIconRequests_,
                                 pictures_->Side());
}

void MainForm::PopupMenuSystemClick(MenuNode& item) {
    try {
        vantrel::PopupMenuSystemClick(item, platform_, facts_);
    } catch (...) {
        // A failed launch is the shell's to report; the program says nothing.
    }
}

} // namespace vantrel
