#include "editors/Picking.h"

#include "tree/PathParts.h"

namespace vantrel {

std::string BrowseForFolder(PickerApi& pickers, const DialogModel& owner,
                            const std::string& startFolder) {
    const std::optional<std::string> chosen = pickers.ShowFolderBrowser(owner, startFolder);
    if (!chosen || chosen->empty() || chosen->size() > MaxFolderPathLength)
        return std::string();
    return *chosen;
}

std::string TitleOfPickedFile(const std::string& path) {
    const std::string name = NamePart(path);
    return name.substr(0, name.find('.'));
}

std::optional<std::string> PickFileInto(DialogModel& dialog, PickerApi& pickers,
                                        const std::string& filter, const std::string& fileField,
                                        const std::string& titleField) {
    const std::string current = dialog.Text(fileField);
    const OpenFileRequest request{filter, DirectoryPart(current), NamePart(current)};
    std::optional<std::string> chosen = pickers.OpenFile(dialog, request);
    if (!chosen)
        return std::nullopt;
    if (dialog.Text(titleField).empty())
        dialog.SetText(titleField, TitleOfPickedFile(*chosen));
    dialog.SetText(fileField, *chosen);
    return chosen;
}

} // namespace vantrel
