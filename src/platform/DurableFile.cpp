#include "platform/DurableFile.h"

namespace vantrel {

namespace {
bool WriteNewFile(FileApi& files, const std::string& path, const ContentWriter& write) {
    ScopedFile file(files, files.CreateForWriting(path));
    if (!file)
        return false;
    // The flush comes before the rename: otherwise a power cut could leave the renamed file
    // with its name on the disk but not its bytes.
    return write(files, file.Get()) && files.TruncateHere(file.Get()) && files.Flush(file.Get()) &&
           file.Close();
}
} // namespace

bool ReplaceDurably(FileApi& files, const std::string& path, const ContentWriter& write) {
    const std::string temporary = path + ".tmp";
    if (WriteNewFile(files, temporary, write) && files.RenameReplacing(temporary, path))
        return true;
    files.Remove(temporary);
    return false;
}

} // namespace vantrel
