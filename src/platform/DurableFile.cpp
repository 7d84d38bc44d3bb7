#include "platform/DurableFile.h"

namespace vantrel {

namespace {
bool WriteNewFile(FileApi& files, const std::string& path, const ContentWriter& write,
                  FailureNote& note) {
    ScopedFile file(files, files.CreateForWriting(path));
    // The flush comes before the rename: otherwise a power cut could leave the renamed file
    // with its name on the disk but not its bytes. The failure is noted before the file
    // closes, while the system still tells why.
    return note.Check(file && write(files, file.Get()) && files.TruncateHere(file.Get()) &&
                      files.Flush(file.Get()) && file.Close());
}
} // namespace

bool ReplaceDurably(FileApi& files, const std::string& path, const ContentWriter& write,
                    FailureNote& note) {
    const std::string temporary = path + ".tmp";
    try {
        if (WriteNewFile(files, temporary, write, note) &&
            note.Check(files.RenameReplacing(temporary, path)))
            return true;
    } catch (...) {
        // A writer that failed half-way (out of memory) fails the save like a write would.
    }
    files.Remove(temporary);
    return false;
}

bool ReplaceDurably(FileApi& files, const std::string& path, const ContentWriter& write) {
    FailureNote note(files);
    return ReplaceDurably(files, path, write, note);
}

} // namespace vantrel
