#pragma once
// An in-memory file system that records every call and can make any single step fail,
// kill the process at any step, or cut the power (dropping what was never flushed).

#include "platform/FileApi.h"

#include <map>
#include <optional>
#include <set>
#include <string>

namespace vantrel::testing {

struct CallLog;

class FakeFiles : public FileApi {
  public:
    explicit FakeFiles(CallLog& log) : log_(log) {}

    // Path -> content as the running process sees it.
    std::map<std::string, std::string> files;
    // Paths held open by another program: they exist but cannot be opened, renamed or removed.
    std::set<std::string> locked;
    // Nothing new can be created (a read-only program directory); existing files stay usable.
    bool readOnlyDirectory = false;
    // What the system says about every failure.
    std::string errorText = "Access is denied.";

    // The operation names counted and logged: create open write read flush truncate close
    // size rename-replacing rename-keeping remove exists.
    struct Fault {
        std::string operation;
        int occurrence = 1; // the Nth call of that operation fails
    };
    // The faulty call fails and changes nothing; a failing write stores the first half of
    // its bytes, as a disk that fills up does.
    std::optional<Fault> fault;
    // From this step on (counting every call from 1) each call fails and changes nothing,
    // as if the process had died there.
    int dieAtStep = 0;

    int Steps() const { return steps_; }
    int CountOf(const std::string& operation) const;
    bool IsOpen(const std::string& path) const;
    // The process ended: handles are closed by the system, faults and counters reset.
    void Restart();
    // Every file falls back to what was last flushed to the disk (a file created and never
    // flushed is empty). Renames, removals and creations are on the disk at once: the real
    // code asks for write-through.
    void PowerCut();

    FileHandle CreateForWriting(const std::string& path) override;
    FileHandle OpenForReading(const std::string& path) override;
    bool Write(FileHandle file, const std::uint8_t* data, std::size_t size) override;
    std::optional<std::size_t> Read(FileHandle file, std::uint8_t* buffer,
                                    std::size_t size) override;
    bool Flush(FileHandle file) override;
    bool TruncateHere(FileHandle file) override;
    bool Close(FileHandle file) override;
    std::optional<std::uint64_t> SizeOf(FileHandle file) override;
    bool RenameReplacing(const std::string& from, const std::string& to) override;
    bool RenameKeeping(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& path) override;
    bool Exists(const std::string& path) override;
    std::string LastErrorText() override { return errorText; }

  private:
    struct OpenFile {
        std::string path;
        bool writing = false;
        std::size_t position = 0;
    };
    // Counts the call and tells whether it may take effect.
    bool Proceed(const std::string& operation, const std::string& detail);
    OpenFile* Find(FileHandle file);
    bool Movable(const std::string& from) const;
    void Move(const std::string& from, const std::string& to);
    // Remembers what the disk holds before the first unflushed change of a file.
    void NoteChange(const std::string& path);

    CallLog& log_;
    std::map<FileHandle, OpenFile> open_;
    std::map<std::string, std::string> unflushed_; // path -> its content on the disk
    std::map<std::string, int> counts_;
    int steps_ = 0;
    FileHandle nextHandle_ = 1;
};

} // namespace vantrel::testing
