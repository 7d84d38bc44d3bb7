#include "win32/ProgramArt.h"

#include "render/PictureBlob.h"
#include "render/PictureData.h"
#include "win32/Handles.h"
#include "win32/Resources.h"
#include "win32/Win32Icons.h"
#include "win32/WinHeaders.h"

#include <map>
#include <optional>

namespace vantrel::win32 {

namespace {
constexpr int AboutRenderSide = 256;
constexpr int GlyphOk = MenuPictureCount;
constexpr int GlyphCancel = MenuPictureCount + 1;

// GUI thread only. The resource stays mapped as long as the program runs; an exe without it (a test) has
// only the compiled pictures.
const std::optional<PictureBlob>& Blob() {
    static const std::optional<PictureBlob> blob = []() -> std::optional<PictureBlob> {
        HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(IDR_PICTURES), RT_RCDATA);
        HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
        const void* bytes = loaded ? LockResource(loaded) : nullptr;
        if (!bytes)
            return std::nullopt;
        return PictureBlob::Open(static_cast<const std::uint8_t*>(bytes),
                                 SizeofResource(nullptr, found));
    }();
    return blob;
}

// The compiled 16-pixel size and the packed larger ones.
std::vector<int> MenuSides() {
    std::vector<int> sides{PictureSide};
    if (Blob())
        for (const int side : Blob()->Sides(PictureSetKind::Menu))
            sides.push_back(side);
    return sides;
}

// The unpacked menu set of one side, or null when it cannot be had (the compiled 16-pixel
// pictures then serve).
const PictureSet* MenuSet(int side) {
    static std::map<int, std::optional<PictureSet>> sets;
    auto found = sets.find(side);
    if (found == sets.end()) {
        std::optional<PictureSet> set;
        if (side != PictureSide && Blob())
            set = Blob()->Unpack(PictureSetKind::Menu, side);
        if (set && set->count < MenuPictureCount + 2)
            set.reset();
        found = sets.emplace(side, std::move(set)).first;
    }
    return found->second ? &*found->second : nullptr;
}

int UsableSide(int slot) {
    const int side = ChosenSide(slot, MenuSides());
    return MenuSet(side) ? side : PictureSide;
}

PictureList ListOf(const PictureSet& set) {
    PictureList list(set.side, set.side);
    for (int i = 0; i < MenuPictureCount; ++i)
        list.AddPair(set.Picture(i));
    return list;
}
} // namespace

const PictureList& MenuPicturesFor(int slot) {
    static std::map<int, PictureList> lists;
    const int side = UsableSide(slot);
    auto found = lists.find(side);
    if (found == lists.end()) {
        const PictureSet* set = MenuSet(side);
        found = lists.emplace(side, set ? ListOf(*set) : PictureList::MenuPictureList()).first;
    }
    return found->second;
}

const std::uint8_t* GlyphFor(Glyph glyph, int slot, int& side) {
    if (glyph == Glyph::None)
        return nullptr;
    side = UsableSide(slot);
    const bool ok = glyph == Glyph::Ok;
    if (const PictureSet* set = MenuSet(side))
        return set->Picture(ok ? GlyphOk : GlyphCancel);
    side = PictureSide;
    return ok ? OkGlyph : CancelGlyph;
}

// The program icon's largest image is the About picture's render.
std::vector<std::uint8_t> AboutPictureAt(int side) {
    static const std::vector<std::uint8_t> largest = [] {
        const OwnedIcon icon(static_cast<HICON>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_VANTREL), IMAGE_ICON,
                       AboutRenderSide, AboutRenderSide, LR_DEFAULTCOLOR)));
        return ReadIconColour(icon.Get(), AboutRenderSide);
    }();
    if (largest.empty())
        return {};
    return Resampled(largest.data(), AboutRenderSide, side);
}

} // namespace vantrel::win32
