// Persistence and the entry commands that rearrange the tree.
#include "app/MainForm.h"
#include "tree/Configuration.h"
#include "tree/DefaultContent.h"

namespace vantrel {

bool MainForm::LoadConfiguration() {
    const LoadReport report = vantrel::LoadConfiguration(main_.categories, platform_, facts_);
    keepStoredFiles_ = report.keepStoredFiles;
    return report.valid;
}

void MainForm::SaveConfiguration() {
    // A start-up that failed half-way holds a partial tree that must never replace the
    // stored one; and a stored file that could be neither loaded nor set aside is kept.
    if (!facts_.startupComplete || keepStoredFiles_)
        return;
    vantrel::SaveConfiguration(main_.categories, platform_);
}

void MainForm::CreateDefaultContent() {
    vantrel::CreateDefaultContent(main_.categories, platform_, facts_);
}

void MainForm::PopupMenuDelItemClick(MenuNode&) {}
void MainForm::PopupMenuMoveUpClick(MenuNode&) {}
void MainForm::PopupMenuMoveDownClick(MenuNode&) {}

} // namespace vantrel
