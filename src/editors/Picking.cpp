#include "editors/Picking.h"

#include "tree/PathParts.h"

namespace vantrel {

namespace {
const char* const CannotStoreText =
    "This path cannot be kept in the shortcuts:\n\n%PATH%\n\n"
    "Some of its characters are not in the character set that Windows uses for this program "
    "(the language for non-Unicode programs), and the file system keeps no short name for it. "
    "Choose a file or folder whose path has no such characters.";

// The name of a file or folder, also when a folder comes with a trailing backslash; empty
// for a drive's root.
std::string LastPart(std::string path) {
    if (!path.empty() && path.back() == '\\')
        path.pop_back();
    return NamePart(path);
}

std::string CannotStoreMessage(const std::string& path) {
    std::string text = CannotStoreText;
    return text.replace(text.find("%PATH%"), 6, path);
}
} // namespace

std::optional<PickedPath> PathPicker::OpenFile(const DialogModel& owner,
                                               const OpenFileRequest& request) {
    const OpenFileRequest wide{codePage_.AnsiToUtf8(request.filter),
                               codePage_.AnsiToUtf8(request.initialDirectory),
                               codePage_.AnsiToUtf8(request.fileName)};
    return Storable(pickers_.OpenFile(owner, wide));
}

std::optional<PickedPath> PathPicker::ShowFolderBrowser(const DialogModel& owner,
                                                        const std::string& startFolder) {
    return Storable(pickers_.ShowFolderBrowser(owner, codePage_.AnsiToUtf8(startFolder)));
}

std::optional<PickedPath> PathPicker::Storable(const std::optional<std::string>& chosen) {
    if (!chosen)
        return std::nullopt;
    const std::optional<std::string> path = StorablePath(*chosen, codePage_);
    if (!path) {
        ui_.ShowNotice(CannotStoreMessage(*chosen), title_);
        return std::nullopt;
    }
    const std::optional<std::string> name = codePage_.Utf8ToAnsi(LastPart(*chosen));
    return PickedPath{*path, name ? *name : LastPart(*path)};
}

std::optional<PickedPath> BrowseForFolder(PathPicker& picker, const DialogModel& owner,
                                          const std::string& startFolder) {
    std::optional<PickedPath> chosen = picker.ShowFolderBrowser(owner, startFolder);
    if (!chosen || chosen->path.empty() || chosen->path.size() > MaxFolderPathLength)
        return std::nullopt;
    return chosen;
}

std::string TitleOfPickedFile(const std::string& name) {
    return name.substr(0, name.find('.'));
}

std::optional<std::string> PickFileInto(DialogModel& dialog, PathPicker& picker,
                                        const std::string& filter, const std::string& fileField,
                                        const std::string& titleField) {
    const std::string current = dialog.Text(fileField);
    const OpenFileRequest request{filter, DirectoryPart(current), NamePart(current)};
    const std::optional<PickedPath> chosen = picker.OpenFile(dialog, request);
    if (!chosen)
        return std::nullopt;
    if (dialog.Text(titleField).empty())
        dialog.SetText(titleField, TitleOfPickedFile(chosen->name));
    dialog.SetText(fileField, chosen->path);
    return chosen->path;
}

} // namespace vantrel
