// The program's own commands: home page, version check, About, start-up switch.
#include "app/MainForm.h"

#include "app/Forms.h"
#include "update/CheckVersion.h"
#include "update/StartupSwitch.h"
#include "update/Vendor.h"
#include "update/VendorPages.h"
#include "update/VersionNumber.h"

namespace vantrel {

void MainForm::PopupMenuSubHomePageClick() {
    OpenVendorPage(platform_.shell, VendorHomePagePath);
}

void MainForm::PopupMenuSubAboutClick() {
    platform_.ui.ShowModal(forms_->FormAbout);
}

void MainForm::PopupMenuSubRunAtSystemStartupClick() {
    ToggleRunAtStartup(*sub_.runAtSystemStartup, platform_.registryWrite,
                       platform_.process.ModuleFileName());
}

void MainForm::PopupMenuSubCheckforupdatesClick() {
    StopVersionCheck();
    MenuNode& entry = *sub_.checkForUpdates;
    MessageApi& messages = platform_.messages;
    checkVersion_ = std::make_unique<CheckVersion>(
        platform_.internet, VendorUrl(VendorVersionFilePath),
        CheckVersion::Notices{[&messages] { messages.PostToMainForm(VersionNoticeMessage, 0, 0); },
                              [&entry] { entry.enabled = false; },
                              [&entry, &messages](std::int32_t version) {
                                  entry.enabled = true;
                                  messages.PostToMainForm(VersionResultMessage, 0, version);
                              }});
}

void MainForm::StopVersionCheck() {
    if (!checkVersion_)
        return;
    checkVersion_->Terminate();
    checkVersion_->WaitFor();
    checkVersion_.reset();
}

void MainForm::RunVersionCheckNotices() {
    try {
        if (checkVersion_)
            checkVersion_->RunPendingNotice();
    } catch (...) {
    }
}

void MainForm::HandleVersionResult(std::intptr_t lParam) {
    try {
        StopVersionCheck();
        const VersionVerdict verdict =
            JudgeVersion(static_cast<std::uint32_t>(lParam), ProgramVersionNumber());
        TFormCheckUpdates& dialog = forms_->FormCheckUpdates;
        dialog.SetText("Label1", verdict.text);
        dialog.SetText("BitBtn1", verdict.button);
        if (platform_.ui.ShowModal(dialog) == ModalResult::Ok && verdict.newer)
            OpenVendorPage(platform_.shell, VendorDownloadsPath);
    } catch (...) {
        // Nothing further is shown.
    }
}

} // namespace vantrel
