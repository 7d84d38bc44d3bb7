#include "win32/Win32Icons.h"

#include "win32/Handles.h"
#include "win32/WideText.h"

#include <shellapi.h>

#include <cstring>

namespace vantrel::win32 {

namespace {
BITMAPINFO SixteenSquareBitmapInfo() {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 16;
    info.bmiHeader.biHeight = 16; // positive: rows bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = 1024;
    return info;
}

// Reads a 16 x 16 bitmap as 32-bit bottom-up pixels; false for any other size.
bool ReadSixteenSquare(HDC dc, HBITMAP bitmap, IconPixels& pixels) {
    BITMAP facts{};
    if (!bitmap || GetObjectA(bitmap, sizeof facts, &facts) == 0)
        return false;
    if (facts.bmWidth != 16 || facts.bmHeight != 16)
        return false;
    BITMAPINFO info = SixteenSquareBitmapInfo();
    return GetDIBits(dc, bitmap, 0, 16, pixels.data(), &info, DIB_RGB_COLORS) != 0;
}

// Width of the icon's bitmaps; 0 when unknown.
int IconWidth(HICON icon) {
    ICONINFO parts{};
    if (!GetIconInfo(icon, &parts))
        return 0;
    OwnedGdiObject colour(parts.hbmColor);
    OwnedGdiObject mask(parts.hbmMask);
    BITMAP facts{};
    HGDIOBJ bitmap = colour ? colour.Get() : mask.Get();
    if (!bitmap || GetObjectA(bitmap, sizeof facts, &facts) == 0)
        return 0;
    return facts.bmWidth;
}
} // namespace

std::vector<std::uint8_t> ReadIconColour(HICON icon, int side) {
    ICONINFO parts{};
    if (!icon || side <= 0 || !GetIconInfo(icon, &parts))
        return {};
    OwnedGdiObject colour(parts.hbmColor);
    OwnedGdiObject mask(parts.hbmMask);
    BITMAP facts{};
    OwnedMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dc || !colour || GetObjectA(colour.Get(), sizeof facts, &facts) == 0 ||
        facts.bmWidth != side || facts.bmHeight != side)
        return {};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = side;
    info.bmiHeader.biHeight = side; // positive: rows bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(side) * side * 4);
    if (GetDIBits(dc.Get(), static_cast<HBITMAP>(colour.Get()), 0, static_cast<UINT>(side),
                  pixels.data(), &info, DIB_RGB_COLORS) == 0)
        return {};
    return pixels;
}

std::optional<RawIcon> ReadIconPixels(HICON shellIcon) {
    // Above 100% display scaling the shell's small icon is larger than 16 x 16; a copy
    // scaled to 16 x 16 keeps every entry's picture instead of losing it.
    OwnedIcon scaled;
    HICON icon = shellIcon;
    if (IconWidth(shellIcon) != 16) {
        scaled = OwnedIcon(static_cast<HICON>(CopyImage(shellIcon, IMAGE_ICON, 16, 16, 0)));
        if (scaled)
            icon = scaled.Get();
    }
    ICONINFO parts{};
    if (!GetIconInfo(icon, &parts))
        return std::nullopt;
    OwnedGdiObject colour(parts.hbmColor);
    OwnedGdiObject mask(parts.hbmMask);
    OwnedMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dc)
        return std::nullopt;
    RawIcon raw;
    raw.colourRead =
        ReadSixteenSquare(dc.Get(), static_cast<HBITMAP>(colour.Get()), raw.colour);
    raw.maskRead = ReadSixteenSquare(dc.Get(), static_cast<HBITMAP>(mask.Get()), raw.mask);
    return raw;
}

namespace {
std::optional<RawIcon> AskShell(const wchar_t* pathOrIdList, UINT flags) {
    SHFILEINFOW info{};
    // The shell leaves a stale handle in the record when it fails, so only the result counts.
    if (SHGetFileInfoW(pathOrIdList, FILE_ATTRIBUTE_NORMAL, &info, sizeof info, flags) == 0 ||
        !info.hIcon)
        return std::nullopt;
    const OwnedIcon icon(info.hIcon);
    return ReadIconPixels(icon.Get());
}
} // namespace

std::optional<RawIcon> Win32Icons::SmallIconOfPath(const std::string& path,
                                                   TextEncoding encoding) {
    return AskShell(Widen(path, encoding).c_str(), SHGFI_ICON | SHGFI_SMALLICON);
}

std::optional<RawIcon> Win32Icons::SmallIconOfIdList(const void* idList) {
    return AskShell(static_cast<const wchar_t*>(idList),
                    SHGFI_ICON | SHGFI_PIDL | SHGFI_SMALLICON);
}

} // namespace vantrel::win32
