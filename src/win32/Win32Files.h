#pragma once
// Files through kernel32, one call per step, each result passed back unchanged.

#include "platform/FileApi.h"

namespace vantrel::win32 {

class Win32Files final : public FileApi {
  public:
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
    std::string LastErrorText() override;
};

} // namespace vantrel::win32
