#include "render/IconExtraction.h"

#include "platform/WindowsPaths.h"
#include "tree/PathParts.h"

#include <algorithm>

namespace vantrel {

namespace {
bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

std::optional<IconPixels> ToPixels(const std::optional<RawIcon>& icon) {
    if (!icon)
        return std::nullopt;
    return ConvertIcon(*icon);
}

bool StorePixels(const std::optional<IconPixels>& pixels, LinkEntry* entry) {
    if (!pixels)
        return false;
    entry->SetPixels(*pixels);
    return true;
}
} // namespace

std::string ExpandLeadingPlaceholders(const std::string& path, ProcessApi& process) {
    // The launcher expands a target the same way; the icon is that of the same file.
    return ExpandSystemPrefix(path, ApplicationDriveLength, process);
}

std::optional<IconPixels> ConvertIcon(const RawIcon& icon) {
    if (!icon.colourRead)
        return std::nullopt;
    IconPixels pixels = icon.colour;
    bool hasAlpha = false;
    for (int i = 3; i < IconPixelBytes; i += 4)
        hasAlpha = hasAlpha || pixels[static_cast<std::size_t>(i)] != 0;
    if (hasAlpha)
        return pixels;
    if (!icon.maskRead)
        return std::nullopt;
    for (std::size_t i = 0; i < IconPixelBytes; i += 4)
        pixels[i + 3] = icon.mask[i] != 0 ? 0 : 255;
    return pixels;
}

bool LoadIconFromPath(const std::string& path, LinkEntry* entry, Platform& platform) {
    if (!entry)
        return false;
    try {
        const std::string expanded = ExpandLeadingPlaceholders(path, platform.process);
        return StorePixels(ToPixels(platform.icons.SmallIconOfPath(expanded, TextEncoding::Ansi)),
                           entry);
    } catch (...) {
        return false;
    }
}

bool MayWaitOnTheNetwork(const std::string& path, DrivesApi& drives) {
    if (StartsWith(path, "\\\\")) {
        // \\?\C:\... and \\.\device name local objects; \\?\UNC\... is a share.
        if (StartsWith(path, "\\\\?\\UNC\\"))
            return true;
        return !StartsWith(path, "\\\\?\\") && !StartsWith(path, "\\\\.\\");
    }
    const bool hasDrive = path.size() >= 2 && path[1] == ':' &&
                          ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    if (!hasDrive)
        return false;
    const char letter = path[0] >= 'a' ? static_cast<char>(path[0] - 'a' + 'A') : path[0];
    const DriveType type = drives.TypeOfDrive(std::string(1, letter) + ":\\");
    return type != DriveType::Fixed && type != DriveType::RamDisk;
}

std::optional<PictureSource> EntryPictureSource(const LinkEntry& entry, ProcessApi& process) {
    if (entry.target.empty())
        return std::nullopt;
    PictureSource source;
    // Applications and files are looked for in the real system directory, as they start.
    source.realSystemDirectory = true;
    if (entry.kind != LinkKindApplication || !DirectoryPart(entry.target).empty()) {
        source.paths = {ExpandLeadingPlaceholders(entry.target, process)};
        return source;
    }
    // A bare program name: the Windows directory, then its system32 subdirectory.
    const std::string windows = UsableWindowsDirectory(process);
    if (windows.empty())
        return std::nullopt;
    source.paths = {windows + "\\" + entry.target, windows + "\\system32\\" + entry.target};
    return source;
}

} // namespace vantrel
