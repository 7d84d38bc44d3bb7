#include "render/IconExtraction.h"

#include "platform/WindowsPaths.h"

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

bool LoadIconFromSystemPath(const std::string& path, LinkEntry* entry, Platform& platform) {
    if (!entry)
        return false;
    try {
        return StorePixels(ToPixels(platform.icons.SmallIconOfPath(path, TextEncoding::Utf8)),
                           entry);
    } catch (...) {
        return false;
    }
}

bool LoadIconFromIdList(const void* idList, LinkEntry* entry, Platform& platform) {
    if (!entry || !idList)
        return false;
    try {
        return StorePixels(ToPixels(platform.icons.SmallIconOfIdList(idList)), entry);
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

bool LoadEntryIcon(const std::string& path, LinkEntry* entry, Platform& platform) {
    if (!entry)
        return false;
    std::string expanded;
    try {
        expanded = ExpandLeadingPlaceholders(path, platform.process);
        if (!MayWaitOnTheNetwork(expanded, platform.drives))
            return LoadIconFromPath(path, entry, platform);
        std::weak_ptr<const void> alive = entry->Lifetime();
        platform.drives.RequestIconInBackground(
            expanded, [alive, entry](std::optional<RawIcon> icon) {
                if (alive.expired() || !icon)
                    return; // deleted meanwhile, or no icon: the earlier pixels stay
                if (const auto pixels = ConvertIcon(*icon))
                    entry->SetPixels(*pixels);
            });
    } catch (...) {
    }
    return false;
}

} // namespace vantrel
