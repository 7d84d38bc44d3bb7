#include "render/IconExtraction.h"

#include "platform/WindowsPaths.h"
#include "render/PictureBlob.h"
#include "tree/PathParts.h"

#include <algorithm>

namespace vantrel {

namespace {
bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
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
    if (pixels.size() == 0)
        return std::nullopt;
    bool hasAlpha = false;
    for (std::size_t i = 3; i < pixels.size(); i += 4)
        hasAlpha = hasAlpha || pixels[i] != 0;
    if (hasAlpha)
        return pixels;
    if (!icon.maskRead || icon.mask.Side() != pixels.Side())
        return std::nullopt;
    for (std::size_t i = 0; i < pixels.size(); i += 4)
        pixels[i + 3] = icon.mask[i] != 0 ? 0 : 255;
    return pixels;
}

IconPixels FittedPicture(const IconPixels& pixels, int side) {
    if (pixels.Side() == side || side <= 0)
        return pixels;
    IconPixels fitted(side);
    const std::vector<std::uint8_t> resampled = Resampled(pixels.data(), pixels.Side(), side);
    std::copy(resampled.begin(), resampled.end(), fitted.data());
    return fitted;
}

std::optional<IconPixels> PictureOfIcon(const std::optional<RawIcon>& icon, int side) {
    if (!icon)
        return std::nullopt;
    const std::optional<IconPixels> pixels = ConvertIcon(*icon);
    if (!pixels)
        return std::nullopt;
    return FittedPicture(*pixels, side);
}

bool LoadIconFromPath(const std::string& path, LinkEntry* entry, Platform& platform, int side) {
    if (!entry)
        return false;
    try {
        const std::string expanded = ExpandLeadingPlaceholders(path, platform.process);
        return StorePixels(
            PictureOfIcon(platform.icons.SmallIconOfPath(expanded, TextEncoding::Ansi, side), side),
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
