// The rows' own pictures: queued after start-up, hurried for a menu about to open, stored
// as they arrive.
#include "app/MainForm.h"

#include "generated/SystemLinks.h"
#include "platform/Dpi.h"
#include "render/IconExtraction.h"
#include "render/RowPictures.h"

namespace vantrel {

void MainForm::QueuePictures() {
    const Categories& categories = main_.categories;
    // The user's entries, top-level rows first. The places of System Links are read when
    // that menu opens, a few milliseconds for all of them: their pictures (special folders,
    // under Wine a megabyte) are not kept for a menu that may never be opened.
    pictures_->QueueAll({categories.files, categories.applications});
    picturesQueued_ = true;
}

void MainForm::PicturesForMenusAt(int x, int y) {
    // The picture slot's side at the monitor's scaling, by the painter's rounding rule.
    const int side = ScaledLength(IconSide, platform_.ui.DpiAt(x, y));
    if (pictures_->SetSide(side) && picturesQueued_)
        QueuePictures();
}

void MainForm::PicturesTimerElapsed() {
    try {
        // The notification area is on the primary monitor, which holds the origin.
        PicturesForMenusAt(0, 0);
        QueuePictures();
    } catch (...) {
        // Rows keep the pictures of their kinds until a menu asks for theirs.
    }
}

void MainForm::StopPictures() {
    pictures_->Stop();
}

std::optional<PictureSource> MainForm::PictureSourceOf(const LinkEntry& entry) {
    if (entry.kind == LinkKindSystem)
        return SystemLinkPictureSource(entry);
    return EntryPictureSource(entry, platform_.process);
}

std::vector<const MenuNode*> MainForm::MenuOpening(const MenuNode& menu) {
    try {
        return pictures_->Hurry(menu);
    } catch (...) {
        return {}; // the menu shows the pictures there are
    }
}

void MainForm::FindRowsShowing(const std::vector<const MenuNode*>& rows) {
    try {
        pictures_->HurryRows(rows);
    } catch (...) {
        // The rows show the pictures there are.
    }
}

std::vector<const MenuNode*> MainForm::CollectPictures() {
    try {
        return pictures_->Collect();
    } catch (...) {
        return {};
    }
}

} // namespace vantrel
