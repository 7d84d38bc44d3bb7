// Import and export from the Settings window. An import is read whole beside the tree on this
// thread (the builder counts its entries as changes to the tree, which only this thread may
// do) and attached in one step, so that a failure anywhere leaves the tree and its files as
// they were; the tree is then written by the usual save, a second later.
#include "app/Forms.h"
#include "app/MainForm.h"
#include "transfer/BookmarkReader.h"
#include "transfer/BookmarkWriter.h"
#include "transfer/ShortcutFolders.h"

namespace vantrel {

namespace {
const char* const ImportTitle = "Import";
const char* const ExportTitle = "Export";
const char* const BookmarksFilter = "Bookmarks files (*.html, *.htm)|*.html;*.htm|";
const char* const ExportFileName = "Vantrel bookmarks.html";

std::string ImportFailedNotice(const std::string& why) {
    return "Nothing was imported: your shortcuts are as they were.\n\n" + why;
}

std::string ExportedMessage(const ExportOutcome& outcome, const std::string& path) {
    const std::string count =
        outcome.entries == 1 ? "1 entry was" : std::to_string(outcome.entries) + " entries were";
    return "Your shortcuts were exported: " + count + " written to\n" + path;
}

std::string ExportFailedNotice(const std::string& why, const std::string& path) {
    return "Your shortcuts could not be exported to\n" + path + "\n\n" + why;
}
} // namespace

void MainForm::ImportEntries(const DialogModel& owner) {
    forms_->FormImportSource.Reset();
    if (platform_.ui.ShowModal(forms_->FormImportSource) != ModalResult::Ok)
        return;
    std::optional<ImportOutcome> outcome = PrepareImport(forms_->FormImportSource.Chosen(), owner);
    if (outcome)
        AttachImport(*outcome);
}

std::optional<ImportOutcome> MainForm::PrepareImport(ImportSource source,
                                                     const DialogModel& owner) {
    switch (source) {
    case ImportSource::StartMenu:
        return PrepareStartMenuImport(main_.categories, platform_);
    case ImportSource::Folder:
        if (const auto folder = platform_.pickers.ShowFolderBrowser(owner, std::string()))
            return PrepareFolderImport(*folder, main_.categories, platform_);
        return std::nullopt;
    case ImportSource::Bookmarks:
        if (const auto file = platform_.pickers.OpenFile(owner, {BookmarksFilter, "", ""}))
            return PrepareBookmarksImport(*file, main_.categories, platform_);
        return std::nullopt;
    }
    return std::nullopt;
}

void MainForm::AttachImport(ImportOutcome& outcome) {
    if (!outcome.prepared)
        return platform_.ui.ShowNotice(ImportFailedNotice(outcome.failure), ImportTitle);
    if (!outcome.prepared->AttachTo(main_.categories))
        return platform_.ui.ShowNotice(AttachFailure, ImportTitle);
    if (outcome.prepared->Summary().entries > 0)
        TreeChanged();
    platform_.ui.ShowMessage(outcome.prepared->Summary().Text(), ImportTitle);
}

void MainForm::ExportEntries(const DialogModel& owner) {
    const std::optional<std::string> path =
        platform_.pickers.SaveFile(owner, {BookmarksFilter, "", ExportFileName});
    if (!path)
        return;
    const ExportOutcome outcome = ExportBookmarks(main_.categories, *path, platform_);
    if (outcome.written)
        platform_.ui.ShowMessage(ExportedMessage(outcome, *path), ExportTitle);
    else
        platform_.ui.ShowNotice(ExportFailedNotice(outcome.failure, *path), ExportTitle);
}

} // namespace vantrel
