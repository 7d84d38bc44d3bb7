// Painting one menu item against the cheapest thing that touches the same pixels: filling
// the buffer with one colour. A paint should cost at most about ten fills.

#include "render/ItemPainter.h"
#include "tree/ImageIndex.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace vantrel {
namespace {

constexpr int ItemWidth = 300;
constexpr int ItemHeight = 24;
const SystemColours Classic{{240, 240, 240}, {51, 153, 255}, {0, 0, 0}};

// The worst case for blending: every pixel opaque and of a colour of its own.
PictureList OpaquePictures() {
    IconPixels picture{};
    for (std::size_t i = 0; i < picture.size(); i += 4) {
        picture[i] = static_cast<std::uint8_t>(i * 7);
        picture[i + 1] = static_cast<std::uint8_t>(i * 3 + 40);
        picture[i + 2] = static_cast<std::uint8_t>(255 - i / 4);
        picture[i + 3] = 255;
    }
    PictureList list(IconSide, IconSide);
    list.AddPair(picture.data());
    return list;
}

void FillItem(benchmark::State& state) {
    ItemPixels buffer(ItemWidth, ItemHeight);
    for (auto _ : state) {
        buffer.FillRows(0, ItemHeight - 1, {249, 249, 249});
        benchmark::DoNotOptimize(buffer.Bytes());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(FillItem);

// Every picture colour computed afresh, as on the first paint of a menu.
void PaintSelectedItemWithPicture(benchmark::State& state) {
    const PictureList pictures = OpaquePictures();
    MenuItemLook item;
    item.pictures = &pictures;
    item.imageIndex = 0;
    const MenuColours colours = DeriveMenuColours(Classic.buttonFace, Classic.highlight);
    ItemPixels buffer(ItemWidth, ItemHeight);
    for (auto _ : state) {
        PaintItemPixels(item, true, colours, buffer);
        benchmark::DoNotOptimize(buffer.Bytes());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(PaintSelectedItemWithPicture);

// With the picture colours remembered from earlier paints, as while the selection moves.
void RepaintSelectedItemWithPicture(benchmark::State& state) {
    const PictureList pictures = OpaquePictures();
    MenuItemLook item;
    item.pictures = &pictures;
    item.imageIndex = 0;
    const MenuColours colours = DeriveMenuColours(Classic.buttonFace, Classic.highlight);
    ItemPixels buffer(ItemWidth, ItemHeight);
    PictureColourCache cache;
    for (auto _ : state) {
        PaintItemPixels(item, true, colours, buffer, &cache);
        benchmark::DoNotOptimize(buffer.Bytes());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(RepaintSelectedItemWithPicture);

// A picture of the program's own artwork, colours computed afresh on every paint.
void PaintSelectedItemWithArtwork(benchmark::State& state) {
    const PictureList pictures = PictureList::MenuPictureList();
    MenuItemLook item;
    item.pictures = &pictures;
    item.imageIndex = static_cast<int>(state.range(0));
    const MenuColours colours = DeriveMenuColours(Classic.buttonFace, Classic.highlight);
    ItemPixels buffer(ItemWidth, ItemHeight);
    for (auto _ : state) {
        PaintItemPixels(item, true, colours, buffer);
        benchmark::DoNotOptimize(buffer.Bytes());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(PaintSelectedItemWithArtwork)->Arg(ImageCopyLink)->Arg(ImageChrome);

// One whole draw request: colours derived, buffer made, painted and freed.
void DrawRequestSelectedItemWithPicture(benchmark::State& state) {
    const PictureList pictures = OpaquePictures();
    MenuItemLook item;
    item.pictures = &pictures;
    item.imageIndex = 0;
    PictureColourCache cache;
    for (auto _ : state) {
        PaintedItem painted =
            PaintMenuItem(item, true, {0, 0, ItemWidth, ItemHeight}, Classic, &cache);
        benchmark::DoNotOptimize(painted.pixels.Bytes());
    }
}
BENCHMARK(DrawRequestSelectedItemWithPicture);

} // namespace
} // namespace vantrel

BENCHMARK_MAIN();
