#include "fakes/FakeFiles.h"

#include "fakes/FakePlatform.h"

#include <algorithm>
#include <cstring>

namespace vantrel::testing {

int FakeFiles::CountOf(const std::string& operation) const {
    const auto it = counts_.find(operation);
    return it == counts_.end() ? 0 : it->second;
}

bool FakeFiles::IsOpen(const std::string& path) const {
    return std::any_of(open_.begin(), open_.end(),
                       [&](const auto& entry) { return entry.second.path == path; });
}

void FakeFiles::Restart() {
    open_.clear();
    counts_.clear();
    steps_ = 0;
    fault.reset();
    dieAtStep = 0;
}

void FakeFiles::PowerCut() {
    for (auto& [path, content] : unflushed_)
        if (files.count(path))
            files[path] = std::move(content);
    unflushed_.clear();
    Restart();
}

void FakeFiles::NoteChange(const std::string& path) {
    if (!unflushed_.count(path))
        unflushed_[path] = files[path];
}

bool FakeFiles::Proceed(const std::string& operation, const std::string& detail) {
    ++steps_;
    const int occurrence = ++counts_[operation];
    const bool dead = dieAtStep > 0 && steps_ >= dieAtStep;
    const bool injected = fault && fault->operation == operation && fault->occurrence == occurrence;
    log_.Add("File " + operation + " " + detail + (dead ? " died" : injected ? " failed" : ""));
    return !dead && !injected;
}

FakeFiles::OpenFile* FakeFiles::Find(FileHandle file) {
    const auto it = open_.find(file);
    return it == open_.end() ? nullptr : &it->second;
}

FileHandle FakeFiles::CreateForWriting(const std::string& path) {
    if (!Proceed("create", "path=" + path))
        return NoFile;
    const bool exists = files.count(path) > 0;
    if (locked.count(path) || IsOpen(path) || (!exists && readOnlyDirectory))
        return NoFile;
    files[path].clear();
    unflushed_.erase(path); // the new, empty file is on the disk
    open_[nextHandle_] = OpenFile{path, true, 0};
    return nextHandle_++;
}

FileHandle FakeFiles::OpenForReading(const std::string& path) {
    if (!Proceed("open", "path=" + path))
        return NoFile;
    if (!files.count(path) || locked.count(path) || IsOpen(path))
        return NoFile;
    open_[nextHandle_] = OpenFile{path, false, 0};
    return nextHandle_++;
}

bool FakeFiles::Write(FileHandle file, const std::uint8_t* data, std::size_t size) {
    OpenFile* open = Find(file);
    const std::string path = open ? open->path : "<bad handle>";
    const bool dead = dieAtStep > 0 && steps_ + 1 >= dieAtStep;
    const bool go = Proceed("write", "path=" + path + " bytes=" + std::to_string(size));
    if (!open || !open->writing || dead)
        return false;
    // A full disk takes what fits and then refuses the rest.
    const std::size_t stored = go ? size : size / 2;
    NoteChange(path);
    std::string& content = files[path];
    if (content.size() < open->position + stored)
        content.resize(open->position + stored);
    if (stored > 0)
        std::memcpy(&content[open->position], data, stored);
    open->position += stored;
    return go;
}

std::optional<std::size_t> FakeFiles::Read(FileHandle file, std::uint8_t* buffer,
                                           std::size_t size) {
    OpenFile* open = Find(file);
    const std::string path = open ? open->path : "<bad handle>";
    if (!Proceed("read", "path=" + path + " bytes=" + std::to_string(size)) || !open ||
        open->writing)
        return std::nullopt;
    const std::string& content = files[path];
    const std::size_t available =
        open->position < content.size() ? content.size() - open->position : 0;
    const std::size_t count = std::min(size, available);
    if (count > 0)
        std::memcpy(buffer, content.data() + open->position, count);
    open->position += count;
    return count;
}

bool FakeFiles::Flush(FileHandle file) {
    OpenFile* open = Find(file);
    const std::string path = open ? open->path : "<bad handle>";
    if (!Proceed("flush", "path=" + path) || !open || !open->writing)
        return false;
    unflushed_.erase(path);
    return true;
}

bool FakeFiles::TruncateHere(FileHandle file) {
    OpenFile* open = Find(file);
    const std::string path = open ? open->path : "<bad handle>";
    if (!Proceed("truncate", "path=" + path) || !open || !open->writing)
        return false;
    NoteChange(path);
    files[path].resize(open->position);
    return true;
}

bool FakeFiles::Close(FileHandle file) {
    OpenFile* open = Find(file);
    const std::string path = open ? open->path : "<bad handle>";
    const bool go = Proceed("close", "path=" + path);
    if (!open)
        return false;
    // Even a close that reports failure releases the handle, as CloseHandle does; a dead
    // process keeps it until Restart.
    if (dieAtStep == 0 || steps_ < dieAtStep)
        open_.erase(file);
    return go;
}

std::optional<std::uint64_t> FakeFiles::SizeOf(FileHandle file) {
    OpenFile* open = Find(file);
    const std::string path = open ? open->path : "<bad handle>";
    if (!Proceed("size", "path=" + path) || !open)
        return std::nullopt;
    return files[path].size();
}

bool FakeFiles::Movable(const std::string& from) const {
    return files.count(from) && !locked.count(from) && !IsOpen(from);
}

void FakeFiles::Move(const std::string& from, const std::string& to) {
    files[to] = std::move(files[from]);
    files.erase(from);
    unflushed_.erase(to);
    const auto pending = unflushed_.find(from);
    if (pending != unflushed_.end()) {
        unflushed_[to] = std::move(pending->second);
        unflushed_.erase(pending);
    }
}

bool FakeFiles::RenameReplacing(const std::string& from, const std::string& to) {
    if (!Proceed("rename-replacing", "from=" + from + " to=" + to) || !Movable(from) ||
        locked.count(to) || IsOpen(to))
        return false;
    Move(from, to);
    return true;
}

bool FakeFiles::RenameKeeping(const std::string& from, const std::string& to) {
    if (!Proceed("rename-keeping", "from=" + from + " to=" + to) || !Movable(from) ||
        files.count(to))
        return false;
    Move(from, to);
    return true;
}

bool FakeFiles::Remove(const std::string& path) {
    if (!Proceed("remove", "path=" + path) || !Movable(path))
        return false;
    files.erase(path);
    unflushed_.erase(path);
    return true;
}

bool FakeFiles::Exists(const std::string& path) {
    Proceed("exists", "path=" + path);
    return files.count(path) > 0;
}

} // namespace vantrel::testing
