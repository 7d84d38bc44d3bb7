#include "render/PictureBlob.h"

#include "render/Inflate.h"

#include <algorithm>
#include <cstring>

namespace vantrel {

namespace {
constexpr std::uint8_t Magic[4] = {'V', 'N', 'T', 'P'};
constexpr std::uint32_t Version = 2;
constexpr std::size_t HeadBytes = 12;
constexpr std::size_t EntryBytes = 20;
constexpr int LargestSide = 1024;

std::uint32_t Word(const std::uint8_t* at) {
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

} // namespace

std::optional<PictureBlob> PictureBlob::Open(const std::uint8_t* data, std::size_t size) {
    if (!data || size < HeadBytes || std::memcmp(data, Magic, 4) != 0 || Word(data + 4) != Version)
        return std::nullopt;
    const std::uint32_t count = Word(data + 8);
    if (count > (size - HeadBytes) / EntryBytes)
        return std::nullopt;
    std::vector<Entry> entries;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint8_t* at = data + HeadBytes + i * EntryBytes;
        const Entry entry{Word(at), Word(at + 4), Word(at + 8), Word(at + 12), Word(at + 16)};
        if (entry.side == 0 || entry.side > LargestSide || entry.count > 1024 ||
            entry.offset > size || entry.size > size - entry.offset)
            return std::nullopt;
        entries.push_back(entry);
    }
    return PictureBlob(data, std::move(entries));
}

std::vector<int> PictureBlob::Sides(PictureSetKind kind) const {
    std::vector<int> sides;
    for (const Entry& entry : entries_)
        if (entry.kind == static_cast<std::uint32_t>(kind))
            sides.push_back(static_cast<int>(entry.side));
    std::sort(sides.begin(), sides.end());
    return sides;
}

std::optional<PictureSet> PictureBlob::Unpack(PictureSetKind kind, int side) const {
    for (const Entry& entry : entries_) {
        if (entry.kind != static_cast<std::uint32_t>(kind) ||
            entry.side != static_cast<std::uint32_t>(side))
            continue;
        const std::size_t bytes = static_cast<std::size_t>(entry.count) * entry.side * entry.side * 4;
        auto pixels = Inflate(data_ + entry.offset, entry.size, bytes);
        if (!pixels)
            return std::nullopt;
        return PictureSet{side, static_cast<int>(entry.count), std::move(*pixels)};
    }
    return std::nullopt;
}

int ChosenSide(int slot, const std::vector<int>& sides) {
    int chosen = 0;
    for (const int side : sides)
        if (side <= slot && side > chosen)
            chosen = side;
    if (chosen == 0 && !sides.empty())
        chosen = *std::min_element(sides.begin(), sides.end());
    return chosen;
}

namespace {
// Where pixel (x, y) of a side x side picture starts.
std::size_t PixelAt(int x, int y, int side) {
    return (static_cast<std::size_t>(y) * static_cast<std::size_t>(side) +
            static_cast<std::size_t>(x)) *
           4;
}

// How much of source pixel `s` (of `from` pixels) lies under target pixel `t` (of `to`), in
// units of 1 / (from * to) of a source pixel's width.
long long Overlap(int s, int t, int from, int to) {
    const long long start = std::max<long long>(static_cast<long long>(s) * to,
                                                static_cast<long long>(t) * from);
    const long long end = std::min<long long>(static_cast<long long>(s + 1) * to,
                                              static_cast<long long>(t + 1) * from);
    return std::max<long long>(0, end - start);
}

void ResamplePixel(const std::uint8_t* pixels, int side, int target, int tx, int ty,
                   std::uint8_t* out) {
    double sum[4] = {0, 0, 0, 0};
    double area = 0;
    const int firstX = tx * side / target, lastX = std::min(side - 1, (tx + 1) * side / target);
    const int firstY = ty * side / target, lastY = std::min(side - 1, (ty + 1) * side / target);
    for (int sy = firstY; sy <= lastY; ++sy) {
        for (int sx = firstX; sx <= lastX; ++sx) {
            const double weight = static_cast<double>(Overlap(sx, tx, side, target)) *
                                  static_cast<double>(Overlap(sy, ty, side, target));
            const std::uint8_t* p = pixels + PixelAt(sx, sy, side);
            const double alphaWeight = weight * p[3];
            for (int c = 0; c < 3; ++c)
                sum[c] += alphaWeight * p[c];
            sum[3] += alphaWeight;
            area += weight;
        }
    }
    if (sum[3] <= 0 || area <= 0) {
        std::memset(out, 0, 4);
        return;
    }
    for (int c = 0; c < 3; ++c)
        out[c] = static_cast<std::uint8_t>(std::clamp(sum[c] / sum[3] + 0.5, 0.0, 255.0));
    out[3] = static_cast<std::uint8_t>(std::clamp(sum[3] / area + 0.5, 0.0, 255.0));
}
} // namespace

std::vector<std::uint8_t> Resampled(const std::uint8_t* pixels, int side, int target) {
    if (!pixels || side <= 0 || target <= 0)
        return {};
    std::vector<std::uint8_t> out(PixelAt(0, target, target));
    if (target == side) {
        std::memcpy(out.data(), pixels, out.size());
        return out;
    }
    for (int ty = 0; ty < target; ++ty)
        for (int tx = 0; tx < target; ++tx)
            ResamplePixel(pixels, side, target, tx, ty,
                          &out[PixelAt(tx, ty, target)]);
    return out;
}

} // namespace vantrel
