#include "render/ItemPainter.h"

#include <algorithm>
#include <array>

namespace vantrel {

namespace {
constexpr int MinimumItemHeight = 24;
constexpr int SeparatorHeight = 5;
constexpr int StripLastColumn = 25;
constexpr int PictureLeft = 5;
constexpr int CheckLeft = 3;
constexpr int CheckSide = 18;

// A colour moved towards a target in equal single-precision steps, one step per row or
// column; each position shows the running value truncated.
class RunningColour {
  public:
    RunningColour(Rgb start, Rgb target, int steps)
        : red_(start.red), green_(start.green), blue_(start.blue),
          redStep_(Step(start.red, target.red, steps)),
          greenStep_(Step(start.green, target.green, steps)),
          blueStep_(Step(start.blue, target.blue, steps)) {}

    Rgb Current() const { return {Truncate(red_), Truncate(green_), Truncate(blue_)}; }
    void Advance() {
        red_ += redStep_;
        green_ += greenStep_;
        blue_ += blueStep_;
    }

  private:
    static float Step(int from, int to, int steps) {
        return steps > 0 ? static_cast<float>(to - from) / static_cast<float>(steps) : 0.0f;
    }
    static std::uint8_t Truncate(float value) {
        return static_cast<std::uint8_t>(std::clamp(static_cast<int>(value), 0, 255));
    }

    float red_, green_, blue_;
    float redStep_, greenStep_, blueStep_;
};

Rgb Midpoint(Rgb a, Rgb b) {
    return {static_cast<std::uint8_t>((a.red + b.red) / 2),
            static_cast<std::uint8_t>((a.green + b.green) / 2),
            static_cast<std::uint8_t>((a.blue + b.blue) / 2)};
}

// The glass look of the selection and the check box: from the middle of the block the
// lower half runs towards the dark colour, the upper half towards the light colour.
void PaintTwoPartGradient(ItemPixels& buffer, int firstRow, int rows, int firstColumn,
                          int lastColumn, Rgb light, Rgb dark) {
    const Rgb mid = Midpoint(light, dark);
    const int half = rows / 2;
    const int rest = rows - half;
    RunningColour lower(mid, dark, half);
    for (int i = 0; i < half; ++i, lower.Advance())
        buffer.FillRow(firstRow + i, firstColumn, lastColumn, lower.Current());
    RunningColour upper(mid, light, rest);
    for (int i = half; i < rows; ++i, upper.Advance())
        buffer.FillRow(firstRow + i, firstColumn, lastColumn, upper.Current());
}

// Background and the gradient strip behind the pictures in rows first..last: one row is
// built and copied.
void PaintBackgroundAndStrip(ItemPixels& buffer, const MenuColours& colours, int first, int last) {
    buffer.FillRow(first, 0, buffer.Width() - 1, colours.menuBackgroundColor);
    RunningColour strip(colours.stripLeftColor, colours.stripRightColor, StripLastColumn);
    for (int column = 0; column <= StripLastColumn; ++column, strip.Advance())
        buffer.Set(column, first, strip.Current());
    buffer.CopyRow(first, first + 1, last);
}

std::uint8_t BlendChannel(int destination, int source, int alpha) {
    return static_cast<std::uint8_t>(destination + (source - destination) * alpha / 255);
}

Rgb Blend(Rgb destination, Rgb source, int alpha) {
    return {BlendChannel(destination.red, source.red, alpha),
            BlendChannel(destination.green, source.green, alpha),
            BlendChannel(destination.blue, source.blue, alpha)};
}

// The 64/192 mix that rounds a one-pixel frame's corners.
Rgb Soften(Rgb frame, Rgb present) {
    auto mix = [](int f, int p) { return static_cast<std::uint8_t>((f * 64 + p * 192) >> 8); };
    return {mix(frame.red, present.red), mix(frame.green, present.green),
            mix(frame.blue, present.blue)};
}

struct Position {
    int column;
    int row;
};

void SoftenPositions(ItemPixels& buffer, Rgb frame, const Position (&positions)[8]) {
    for (const Position& p : positions)
        buffer.Set(p.column, p.row, Soften(frame, buffer.At(p.column, p.row)));
}

// A one-pixel frame around columns left..right and rows bottom..top whose corner pixels
// are left out, then rounded by softening the corners and the pixels diagonally inside.
void PaintRoundedFrame(ItemPixels& buffer, Rgb frame, int left, int right, int bottom, int top) {
    buffer.FillRow(bottom, left + 1, right - 1, frame);
    buffer.FillRow(top, left + 1, right - 1, frame);
    for (int row = bottom + 1; row <= top - 1; ++row) {
        buffer.Set(left, row, frame);
        buffer.Set(right, row, frame);
    }
    const Position corners[8] = {
        {left, bottom}, {left + 1, bottom + 1}, {right, bottom}, {right - 1, bottom + 1},
        {left, top},    {left + 1, top - 1},    {right, top},    {right - 1, top - 1}};
    SoftenPositions(buffer, frame, corners);
}

// Where a picture's colour and alpha come from: pixel i has its colour at colour + 4i
// (blue, green, red) and its alpha at alpha[4i].
struct PictureSource {
    const std::uint8_t* colour;
    const std::uint8_t* alpha;
};

std::optional<PictureSource> ListPicture(const PictureList& list, int index) {
    if (index < 0 || list.Count() <= index + 1)
        return std::nullopt;
    if (list.PictureWidth() != IconSide || list.PictureHeight() != IconSide)
        return std::nullopt;
    return PictureSource{list.Image(index), list.Image(index + 1)};
}

std::optional<PictureSource> PictureOf(const MenuItemLook& item) {
    if (item.imageIndex == -1) {
        if (!item.entryPixels)
            return std::nullopt;
        return PictureSource{item.entryPixels->data(), item.entryPixels->data() + 3};
    }
    if (!item.pictures)
        return std::nullopt;
    return ListPicture(*item.pictures, item.imageIndex);
}

// Picture rows are bottom-up like the buffer's; rows above a low item are cut off.
void BlendPicture(ItemPixels& buffer, const PictureSource& source, int bottomRow,
                  const PictureLook& look, PictureColourCache& cache) {
    const int rows = std::min(IconSide, buffer.Height() - bottomRow);
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < IconSide; ++x) {
            const std::size_t at = static_cast<std::size_t>(y * IconSide + x) * 4;
            const int alpha = source.alpha[at];
            // Alpha 0 would leave the pixel exactly as it is: skip the colour work.
            if (alpha == 0)
                continue;
            const Rgb colour = cache.Colour(
                {source.colour[at + 2], source.colour[at + 1], source.colour[at]}, look);
            const int column = PictureLeft + x, row = bottomRow + y;
            // Alpha 255 gives the source exactly; most picture pixels are opaque.
            buffer.Set(column, row,
                       alpha == 255 ? colour : Blend(buffer.At(column, row), colour, alpha));
        }
    }
}

void PaintPicture(ItemPixels& buffer, const MenuItemLook& item, const MenuColours& colours,
                  bool highlighted, PictureColourCache* cache) {
    const auto picture = PictureOf(item);
    if (!picture)
        return;
    const PictureLook look{colours.iconLightnessPercent, !item.enabled, highlighted};
    const int bottom = std::max(0, buffer.Height() / 2 - 8);
    if (cache) {
        BlendPicture(buffer, *picture, bottom, look, *cache);
    } else {
        PictureColourCache ownCache(6); // enough for one picture's repeated colours
        BlendPicture(buffer, *picture, bottom, look, ownCache);
    }
}

Rgb CaptionColour(const MenuItemLook& item, bool selected, const MenuColours& colours) {
    if (!item.enabled)
        return colours.disabledTextColor;
    return selected ? colours.selectedCaptionColor : colours.captionColor;
}

bool TooSmall(int width, int height) {
    return width < MinimumPaintWidth || height < MinimumPaintHeight;
}
} // namespace

ItemSize MeasureMenuItem(bool separator, TextExtent caption, std::optional<TextExtent> shortcut) {
    ItemSize size;
    size.height = std::max(caption.height + 4, MinimumItemHeight);
    if (separator)
        size.height = SeparatorHeight;
    size.width = caption.width;
    if (shortcut)
        size.width += shortcut->width + 40;
    size.width += 42;
    return size;
}

bool PaintItemPixels(const MenuItemLook& item, bool selected, const MenuColours& colours,
                     ItemPixels& buffer, PictureColourCache* cache) {
    const int w = buffer.Width(), h = buffer.Height();
    if (TooSmall(w, h))
        return false;
    // A disabled item is never highlighted; a separator has no highlight.
    const bool highlighted = selected && item.enabled && !item.separator;
    if (highlighted) {
        // The selection covers every row but the outer two: paint the background only there.
        PaintBackgroundAndStrip(buffer, colours, 0, 0);
        PaintBackgroundAndStrip(buffer, colours, h - 1, h - 1);
    } else {
        PaintBackgroundAndStrip(buffer, colours, 0, h - 1);
    }
    if (item.separator) {
        buffer.FillRow(h - 3, 29, w - 4, colours.separatorColor);
        return true;
    }
    if (highlighted)
        PaintTwoPartGradient(buffer, 1, h - 2, 0, w - 1, colours.selectionLightColor,
                             colours.selectionDarkColor);
    if (item.checked)
        PaintTwoPartGradient(buffer, (h - 20) / 2 + 1, CheckSide, CheckLeft,
                             CheckLeft + CheckSide - 1, colours.checkLightColor,
                             colours.checkDarkColor);
    PaintPicture(buffer, item, colours, highlighted, cache);
    if (highlighted)
        PaintRoundedFrame(buffer, colours.frameColor, 0, w - 1, 0, h - 1);
    // Below 24 pixels the frame would not fit around the check box fill.
    if (item.checked && h >= MinimumItemHeight) {
        const int m = h / 2 - 10;
        PaintRoundedFrame(buffer, colours.frameColor, 2, 21, m, m + 19);
    }
    return true;
}

PaintedItem PaintMenuItem(const MenuItemLook& item, bool selected, const ItemRect& rect,
                          const MenuColours& colours, PictureColourCache* cache) {
    PaintedItem painted;
    if (TooSmall(rect.Width(), rect.Height()))
        return painted;
    painted.pixels = ItemPixels(rect.Width(), rect.Height());
    PaintItemPixels(item, selected, colours, painted.pixels, cache);
    if (!item.separator)
        painted.text = TextPlacement{{rect.left + 34, rect.top, rect.right - 16, rect.bottom},
                                     CaptionColour(item, selected, colours)};
    return painted;
}

PaintedItem PaintMenuItem(const MenuItemLook& item, bool selected, const ItemRect& rect,
                          const SystemColours& system, PictureColourCache* cache) {
    return PaintMenuItem(
        item, selected, rect,
        DeriveMenuColours(system.buttonFace, system.highlight, system.windowText), cache);
}

} // namespace vantrel
