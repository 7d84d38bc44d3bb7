#pragma once
// The safe route for writing a whole file: a temporary file beside it, written, flushed and
// closed, then renamed over the old one. Every later step checks the one before.

#include "platform/FileApi.h"

#include <functional>
#include <string>

namespace vantrel {

// Closes the handle on every path out of a scope.
class ScopedFile {
  public:
    ScopedFile(FileApi& files, FileHandle handle) : files_(files), handle_(handle) {}
    ScopedFile(const ScopedFile&) = delete;
    ScopedFile& operator=(const ScopedFile&) = delete;
    ~ScopedFile() {
        if (handle_ != NoFile)
            files_.Close(handle_);
    }
    explicit operator bool() const { return handle_ != NoFile; }
    FileHandle Get() const { return handle_; }
    bool Close() {
        const FileHandle handle = handle_;
        handle_ = NoFile;
        return files_.Close(handle);
    }

  private:
    FileApi& files_;
    FileHandle handle_;
};

// Writes the file's whole content into the open file; false when a write failed. One that
// throws fails the same way.
using ContentWriter = std::function<bool(FileApi& files, FileHandle file)>;

// The system's reason for the first step that failed, read right after that step, while the
// system still tells why.
class FailureNote {
  public:
    explicit FailureNote(FileApi& files) : files_(files) {}
    bool Check(bool ok) {
        if (!ok && text_.empty())
            text_ = files_.LastErrorText();
        return ok;
    }
    const std::string& Text() const { return text_; }

  private:
    FileApi& files_;
    std::string text_;
};

// Afterwards `path` holds either its old content or the whole new one, whatever step fails,
// also after a crash or a power cut; the temporary file ("<path>.tmp") does not stay.
bool ReplaceDurably(FileApi& files, const std::string& path, const ContentWriter& write,
                    FailureNote& note);
bool ReplaceDurably(FileApi& files, const std::string& path, const ContentWriter& write);

} // namespace vantrel
