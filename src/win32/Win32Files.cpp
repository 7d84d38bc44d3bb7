#include "win32/Win32Files.h"

#include "win32/WideText.h"

#include <algorithm>
#include <iterator>
#include <string>

namespace vantrel::win32 {

namespace {
// One ReadFile or WriteFile call moves at most a DWORD's worth; keep each call moderate.
constexpr std::size_t ChunkBytes = 16u << 20;

HANDLE ToHandle(FileHandle file) {
    return reinterpret_cast<HANDLE>(file);
}

FileHandle FromHandle(HANDLE handle) {
    // CreateFileW never hands out a null handle, so 0 is free to mean "no file".
    return handle == INVALID_HANDLE_VALUE ? NoFile : reinterpret_cast<FileHandle>(handle);
}

DWORD ChunkOf(std::size_t remaining) {
    return static_cast<DWORD>(std::min(remaining, ChunkBytes));
}
} // namespace

FileHandle Win32Files::CreateForWriting(const std::string& path) {
    return FromHandle(CreateFileW(WidenUtf8(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

FileHandle Win32Files::OpenForReading(const std::string& path) {
    return FromHandle(CreateFileW(WidenUtf8(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

bool Win32Files::Write(FileHandle file, const std::uint8_t* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        DWORD written = 0;
        if (!WriteFile(ToHandle(file), data + done, ChunkOf(size - done), &written, nullptr))
            return false;
        if (written == 0) {
            SetLastError(ERROR_WRITE_FAULT); // the reason told is not "completed successfully"
            return false;
        }
        done += written;
    }
    return true;
}

std::optional<std::size_t> Win32Files::Read(FileHandle file, std::uint8_t* buffer,
                                            std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        DWORD read = 0;
        if (!ReadFile(ToHandle(file), buffer + done, ChunkOf(size - done), &read, nullptr))
            return std::nullopt;
        if (read == 0)
            break; // end of file
        done += read;
    }
    return done;
}

bool Win32Files::Flush(FileHandle file) {
    return FlushFileBuffers(ToHandle(file)) != FALSE;
}

bool Win32Files::TruncateHere(FileHandle file) {
    return SetEndOfFile(ToHandle(file)) != FALSE;
}

bool Win32Files::Close(FileHandle file) {
    return CloseHandle(ToHandle(file)) != FALSE;
}

std::optional<std::uint64_t> Win32Files::SizeOf(FileHandle file) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(ToHandle(file), &size) || size.QuadPart < 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(size.QuadPart);
}

bool Win32Files::RenameReplacing(const std::string& from, const std::string& to) {
    // On one volume the rename swaps the directory entry in a single step; write-through
    // makes it return only once the change is on the disk.
    return MoveFileExW(WidenUtf8(from).c_str(), WidenUtf8(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool Win32Files::RenameKeeping(const std::string& from, const std::string& to) {
    return MoveFileExW(WidenUtf8(from).c_str(), WidenUtf8(to).c_str(), MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool Win32Files::Remove(const std::string& path) {
    return DeleteFileW(WidenUtf8(path).c_str()) != FALSE;
}

bool Win32Files::Exists(const std::string& path) {
    if (GetFileAttributesW(WidenUtf8(path).c_str()) != INVALID_FILE_ATTRIBUTES)
        return true;
    // Only a definite "not there" counts as absent: a file we may not even look at is
    // still the user's file.
    const DWORD error = GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND &&
           error != ERROR_INVALID_NAME;
}

std::string Win32Files::LastErrorText() {
    const DWORD error = GetLastError();
    wchar_t buffer[512];
    // One line, without the line break the system's texts end with.
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_MAX_WIDTH_MASK,
        nullptr, error, 0, buffer, static_cast<DWORD>(std::size(buffer)), nullptr);
    std::string text = ToUtf8(buffer, length);
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text.empty() ? "Error " + std::to_string(error) + "." : text;
}

} // namespace vantrel::win32
