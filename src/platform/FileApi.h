#pragma once
// Files, one step per call, so that the configuration save can check every step and a test
// can make any single step fail. Paths are UTF-8: the files live beside the program, in
// whatever folder the user put it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace vantrel {

using FileHandle = std::uintptr_t;
constexpr FileHandle NoFile = 0;

class FileApi {
  public:
    virtual ~FileApi() = default;

    // Creates the file, or empties an existing one, for writing with no sharing.
    virtual FileHandle CreateForWriting(const std::string& path) = 0;
    // Opens an existing file for reading with no sharing.
    virtual FileHandle OpenForReading(const std::string& path) = 0;
    // True only when every byte was written.
    virtual bool Write(FileHandle file, const std::uint8_t* data, std::size_t size) = 0;
    // The number of bytes read (fewer at the end of the file); empty when the read failed.
    virtual std::optional<std::size_t> Read(FileHandle file, std::uint8_t* buffer,
                                            std::size_t size) = 0;
    // Pushes written bytes to the disk; true when the system confirmed it.
    virtual bool Flush(FileHandle file) = 0;
    // Ends the file at the current position.
    virtual bool TruncateHere(FileHandle file) = 0;
    virtual bool Close(FileHandle file) = 0;
    virtual std::optional<std::uint64_t> SizeOf(FileHandle file) = 0;

    // Renames a closed file over another one in a single step: afterwards `to` holds either
    // its old content or the complete new one, also after a crash.
    virtual bool RenameReplacing(const std::string& from, const std::string& to) = 0;
    // Renames a closed file; fails when `to` exists.
    virtual bool RenameKeeping(const std::string& from, const std::string& to) = 0;
    virtual bool Remove(const std::string& path) = 0;
    virtual bool Exists(const std::string& path) = 0;

    // Why the last call of this thread that failed did, in the system's words and the user's
    // language (UTF-8); to be asked right after that call.
    virtual std::string LastErrorText() = 0;
};

} // namespace vantrel
