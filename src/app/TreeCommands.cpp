// Loading and saving the user's tree, and the example content of a first start.
#include "app/MainForm.h"
#include "tree/Configuration.h"
#include "tree/DefaultContent.h"

namespace vantrel {

bool MainForm::LoadConfiguration() {
    const LoadReport report = vantrel::LoadConfiguration(main_.categories, platform_);
    keepStoredFiles_ = report.keepStoredFiles;
    return report.valid;
}

bool MainForm::SaveConfiguration() {
    // A start-up that failed half-way holds a partial tree that must never replace the
    // stored one; nor may a tree that lacks what the stored files hold.
    if (!facts_.startupComplete || keepStoredFiles_)
        return true;
    return vantrel::SaveConfiguration(main_.categories, platform_);
}

void MainForm::CreateDefaultContent() {
    vantrel::CreateDefaultContent(main_.categories, platform_, facts_);
}

} // namespace vantrel
