#include "win32/Win32Icons.h"

#include "win32/Handles.h"
#include "win32/WideText.h"

#include <shellapi.h>

#include <cstring>

namespace vantrel::win32 {

namespace {
// The largest icon the shell hands out (the jumbo size); anything larger is no icon of ours.
constexpr int LargestIconSide = 256;

BITMAPINFO SquareBitmapInfo(int side) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = side;
    info.bmiHeader.biHeight = side; // positive: rows bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// Reads a square bitmap as 32-bit bottom-up pixels of its own side; false for any other shape
// (the mask of a monochrome icon is twice as high as wide).
bool ReadSquare(HDC dc, HBITMAP bitmap, IconPixels& pixels) {
    BITMAP facts{};
    if (!bitmap || GetObjectA(bitmap, sizeof facts, &facts) == 0)
        return false;
    const int side = facts.bmWidth;
    if (side <= 0 || side > LargestIconSide || facts.bmHeight != side)
        return false;
    pixels = IconPixels(side);
    BITMAPINFO info = SquareBitmapInfo(side);
    return GetDIBits(dc, bitmap, 0, static_cast<UINT>(side), pixels.data(), &info,
                     DIB_RGB_COLORS) != 0;
}
} // namespace

std::vector<std::uint8_t> ReadIconColour(HICON icon, int side) {
    const std::optional<RawIcon> raw = icon ? ReadIconPixels(icon) : std::nullopt;
    if (!raw || !raw->colourRead || raw->colour.Side() != side)
        return {};
    return std::vector<std::uint8_t>(raw->colour.begin(), raw->colour.end());
}

std::optional<RawIcon> ReadIconPixels(HICON icon) {
    ICONINFO parts{};
    if (!GetIconInfo(icon, &parts))
        return std::nullopt;
    OwnedGdiObject colour(parts.hbmColor);
    OwnedGdiObject mask(parts.hbmMask);
    OwnedMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dc)
        return std::nullopt;
    RawIcon raw;
    raw.colourRead = ReadSquare(dc.Get(), static_cast<HBITMAP>(colour.Get()), raw.colour);
    raw.maskRead = ReadSquare(dc.Get(), static_cast<HBITMAP>(mask.Get()), raw.mask) &&
                   raw.mask.Side() == raw.colour.Side();
    return raw;
}

namespace {
// The shell's small icon when it is as large as the picture, else its large one (at 100%
// scaling 16 and 32 pixels; both grow with the system's scaling).
UINT IconSizeFlag(int side) {
    return side <= GetSystemMetrics(SM_CXSMICON) ? SHGFI_SMALLICON : SHGFI_LARGEICON;
}

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
                                                   TextEncoding encoding, int side) {
    return AskShell(Widen(path, encoding).c_str(), SHGFI_ICON | IconSizeFlag(side));
}

std::optional<RawIcon> Win32Icons::SmallIconOfIdList(const void* idList, int side) {
    return AskShell(static_cast<const wchar_t*>(idList),
                    SHGFI_ICON | SHGFI_PIDL | IconSizeFlag(side));
}

} // namespace vantrel::win32
