#pragma once
// What the application editor and the file and folder editor share about their "..."
// buttons: picking a file into a file name field, and the folder browser.

#include "editors/DialogModel.h"
#include "platform/CodePageApi.h"
#include "platform/PickerApi.h"
#include "platform/UiApi.h"

#include <cstddef>
#include <optional>
#include <string>
#include <utility>

namespace vantrel {

// The longest folder path the program takes from the browser (the size of the buffers that
// receive directory names).
constexpr std::size_t MaxFolderPathLength = 280;

// A choice made storable: the path in the configuration's code page (its short form where
// the code page lacks a character), and its last part as the user sees it where the code
// page holds that part, for making a title.
struct PickedPath {
    std::string path;
    std::string name;
};

// The system's pickers as the editors use them: texts go in and come back in the code page;
// a choice that cannot be stored comes back as nothing, and the user is told why.
class PathPicker {
  public:
    // `title` heads the message that refuses a choice.
    PathPicker(PickerApi& pickers, CodePageApi& codePage, UiApi& ui, std::string title)
        : pickers_(pickers), codePage_(codePage), ui_(ui), title_(std::move(title)) {}
    std::optional<PickedPath> OpenFile(const DialogModel& owner, const OpenFileRequest& request);
    std::optional<PickedPath> ShowFolderBrowser(const DialogModel& owner,
                                                const std::string& startFolder);

  private:
    std::optional<PickedPath> Storable(const std::optional<std::string>& chosen);

    PickerApi& pickers_;
    CodePageApi& codePage_;
    UiApi& ui_;
    std::string title_;
};

// The folder the user chose in the browser that opened over `owner` with `startFolder`
// selected; empty when the user cancelled, the choice has no file-system path or cannot be
// stored, or its path is longer than MaxFolderPathLength.
std::optional<PickedPath> BrowseForFolder(PathPicker& picker, const DialogModel& owner,
                                          const std::string& startFolder);

// A title made from a picked file's name: up to, not including, the first full stop
// ("my.app.exe" gives "my").
std::string TitleOfPickedFile(const std::string& name);

// The file-open dialog, started from the path in `fileField` (its directory as the initial
// directory, its name as the file name). On a choice, `titleField` gets a title made from
// the file when it is empty, `fileField` gets the full path, and the path is returned.
std::optional<std::string> PickFileInto(DialogModel& dialog, PathPicker& picker,
                                        const std::string& filter, const std::string& fileField,
                                        const std::string& titleField);

} // namespace vantrel
