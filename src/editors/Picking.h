#pragma once
// What the application editor and the file and folder editor share about their "..."
// buttons: picking a file into a file name field, and the folder browser.

#include "editors/DialogModel.h"
#include "platform/PickerApi.h"

#include <cstddef>
#include <optional>
#include <string>

namespace vantrel {

// The longest folder path the program takes from the browser (the size of the buffers that
// receive directory names).
constexpr std::size_t MaxFolderPathLength = 280;

// The folder the user chose in the browser that opened over `owner` with `startFolder`
// selected; empty when the user cancelled, the choice has no file-system path or its path is
// longer than MaxFolderPathLength.
std::string BrowseForFolder(PickerApi& pickers, const DialogModel& owner,
                            const std::string& startFolder);

// A title made from a picked file: its name up to, not including, the first full stop
// ("C:\Tools\my.app.exe" gives "my").
std::string TitleOfPickedFile(const std::string& path);

// The file-open dialog, started from the path in `fileField` (its directory as the initial
// directory, its name as the file name). On a choice, `titleField` gets a title made from
// the file when it is empty, `fileField` gets the full path, and the path is returned.
std::optional<std::string> PickFileInto(DialogModel& dialog, PickerApi& pickers,
                                        const std::string& filter, const std::string& fileField,
                                        const std::string& titleField);

} // namespace vantrel
