#include "render/ItemPainter.h"

#include <algorithm>
#include <array>

namespace vantrel {

namespace {

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
void PaintBackgroundAndStrip(ItemPixels& buffer, const MenuColours& colours, int first, int last,
                             int stripWidth) {
    buffer.FillRow(first, 0, buffer.Width() - 1, colours.menuBackgroundColor);
    const int lastColumn = stripWidth - 1;
    RunningColour strip(colours.stripLeftColor, colours.stripRightColor, lastColumn);
    for (int column = 0; column <= lastColumn; ++column, strip.Advance())
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

// Softens the line x line block whose lower left pixel is given.
void SoftenBlock(ItemPixels& buffer, Rgb frame, Position corner, int line) {
    for (int row = corner.row; row < corner.row + line; ++row)
        for (int column = corner.column; column < corner.column + line; ++column)
            buffer.Set(column, row, Soften(frame, buffer.At(column, row)));
}

// A frame `line` pixels thick around columns left..right and rows bottom..top whose corner
// blocks are left out, then rounded by softening the corners and the blocks diagonally
// inside them.
void PaintRoundedFrame(ItemPixels& buffer, Rgb frame, int left, int right, int bottom, int top,
                       int line) {
    for (int i = 0; i < line; ++i) {
        buffer.FillRow(bottom + i, left + line, right - line, frame);
        buffer.FillRow(top - i, left + line, right - line, frame);
    }
    for (int row = bottom + line; row <= top - line; ++row) {
        buffer.FillRow(row, left, left + line - 1, frame);
        buffer.FillRow(row, right - line + 1, right, frame);
    }
    const int far = right - line + 1, high = top - line + 1;
    const Position corners[8] = {
        {left, bottom},   {left + line, bottom + line}, {far, bottom}, {far - line, bottom + line},
        {left, high},     {left + line, high - line},   {far, high},   {far - line, high - line}};
    for (const Position& corner : corners)
        SoftenBlock(buffer, frame, corner, line);
}

// Where a picture's colour and alpha come from: pixel i has its colour at colour + 4i
// (blue, green, red) and its alpha at alpha[4i]; the picture is side x side.
struct PictureSource {
    const std::uint8_t* colour;
    const std::uint8_t* alpha;
    int side;
};

// A list of pictures larger than the slot (made for another scaling) shows nothing.
std::optional<PictureSource> ListPicture(const PictureList& list, int index, int slot) {
    if (index < 0 || list.Count() <= index + 1)
        return std::nullopt;
    const int side = list.PictureWidth();
    if (side != list.PictureHeight() || side <= 0 || side > slot)
        return std::nullopt;
    return PictureSource{list.Image(index), list.Image(index + 1), list.PictureWidth()};
}

std::optional<PictureSource> PictureOf(const MenuItemLook& item, int slot) {
    if (item.imageIndex == -1) {
        const IconPixels* own = item.entryPixels;
        if (!own || own->Side() <= 0 || own->Side() > slot)
            return std::nullopt;
        return PictureSource{own->data(), own->data() + 3, own->Side()};
    }
    if (!item.pictures)
        return std::nullopt;
    return ListPicture(*item.pictures, item.imageIndex, slot);
}

// Picture rows are bottom-up like the buffer's; rows above a low item are cut off.
void BlendPicture(ItemPixels& buffer, const PictureSource& source, Position corner,
                  const PictureLook& look, PictureColourCache& cache) {
    const int side = source.side;
    const int rows = std::min(side, buffer.Height() - corner.row);
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < side; ++x) {
            const std::size_t at = static_cast<std::size_t>(y * side + x) * 4;
            const int alpha = source.alpha[at];
            // Alpha 0 would leave the pixel exactly as it is: skip the colour work.
            if (alpha == 0)
                continue;
            const Rgb colour = cache.Colour(
                {source.colour[at + 2], source.colour[at + 1], source.colour[at]}, look);
            const int column = corner.column + x, row = corner.row + y;
            // Alpha 255 gives the source exactly; most picture pixels are opaque.
            buffer.Set(column, row,
                       alpha == 255 ? colour : Blend(buffer.At(column, row), colour, alpha));
        }
    }
}

// The lower left corner of the picture's slot, which is centred on the item's middle.
Position SlotCorner(const ItemPixels& buffer, const MenuMetrics& metrics) {
    return {metrics.pictureLeft, std::max(0, buffer.Height() / 2 - metrics.pictureSlot / 2)};
}

// A picture smaller than the slot (one drawn for the next smaller size) sits in its middle.
Position PictureCorner(const ItemPixels& buffer, int side, const MenuMetrics& metrics) {
    const int inset = std::max(0, (metrics.pictureSlot - side) / 2);
    const Position slot = SlotCorner(buffer, metrics);
    return {slot.column + inset, slot.row + inset};
}

void PaintPicture(ItemPixels& buffer, const MenuItemLook& item, const MenuColours& colours,
                  bool highlighted, PictureColourCache* cache, const MenuMetrics& metrics) {
    const auto picture = PictureOf(item, metrics.pictureSlot);
    if (!picture)
        return;
    const PictureLook look{colours.iconLightnessPercent, !item.enabled, highlighted};
    const Position corner = PictureCorner(buffer, picture->side, metrics);
    if (cache) {
        BlendPicture(buffer, *picture, corner, look, *cache);
    } else {
        PictureColourCache ownCache(6); // enough for one picture's repeated colours
        BlendPicture(buffer, *picture, corner, look, ownCache);
    }
}

Rgb CaptionColour(const MenuItemLook& item, bool selected, const MenuColours& colours) {
    if (!item.enabled)
        return colours.disabledTextColor;
    return selected ? colours.selectedCaptionColor : colours.captionColor;
}

bool TooSmall(int width, int height, const MenuMetrics& metrics) {
    return width < metrics.minimumPaintWidth || height < metrics.minimumPaintHeight;
}

// The separator's line lies `separatorBelowTop` rows under the item's top row.
void PaintSeparator(ItemPixels& buffer, const MenuColours& colours, const MenuMetrics& m) {
    const int highest = buffer.Height() - 1 - m.separatorBelowTop;
    for (int row = highest - m.line + 1; row <= highest; ++row)
        buffer.FillRow(row, m.separatorLeft, buffer.Width() - 1 - m.separatorRightGap,
                       colours.separatorColor);
}

// The check box's frame: columns left..right, rows bottom..top, around the picture's slot
// (computed from the unclipped middle, as the frame may reach below a low item).
struct Frame {
    int left, right, bottom, top;
};

Frame CheckFrame(const ItemPixels& buffer, const MenuMetrics& m) {
    const int slotBottom = buffer.Height() / 2 - m.pictureSlot / 2;
    return {m.pictureLeft - m.checkMarginLeft,
            m.pictureLeft + m.pictureSlot - 1 + m.checkMarginRight,
            slotBottom - m.checkMarginVertical,
            slotBottom + m.pictureSlot - 1 + m.checkMarginVertical};
}

void PaintCheckFill(ItemPixels& buffer, const MenuColours& colours, const MenuMetrics& m) {
    const Frame f = CheckFrame(buffer, m);
    PaintTwoPartGradient(buffer, f.bottom + m.line, f.top - f.bottom + 1 - 2 * m.line,
                         f.left + m.line, f.right - m.line, colours.checkLightColor,
                         colours.checkDarkColor);
}

void PaintCheckFrame(ItemPixels& buffer, const MenuColours& colours, const MenuMetrics& m) {
    const Frame f = CheckFrame(buffer, m);
    PaintRoundedFrame(buffer, colours.frameColor, f.left, f.right, f.bottom, f.top, m.line);
}

// Column by column from its base to its tip, one row shorter at each end every column.
void PaintSubmenuArrow(ItemPixels& buffer, Rgb colour, const MenuMetrics& m) {
    const int tip = buffer.Width() - m.arrowRight, middle = buffer.Height() / 2;
    for (int reach = m.arrowHalf; reach >= 0; --reach)
        for (int row = middle - reach; row <= middle + reach; ++row)
            buffer.Set(tip - reach, row, colour);
}
} // namespace

ItemSize MeasureMenuItem(bool separator, TextExtent caption, std::optional<TextExtent> shortcut,
                         const MenuMetrics& metrics) {
    ItemSize size;
    size.height = std::max(caption.height + metrics.captionPadding, metrics.minimumItemHeight);
    if (separator)
        size.height = metrics.separatorHeight;
    size.width = caption.width;
    if (shortcut)
        size.width += shortcut->width + metrics.shortcutGap;
    size.width += metrics.widthPadding;
    return size;
}

bool PaintItemPixels(const MenuItemLook& item, bool selected, const MenuColours& colours,
                     ItemPixels& buffer, PictureColourCache* cache, const MenuMetrics& metrics) {
    const int w = buffer.Width(), h = buffer.Height(), line = metrics.line;
    if (TooSmall(w, h, metrics))
        return false;
    // A disabled item is never highlighted; a separator has no highlight.
    const bool highlighted = selected && item.enabled && !item.separator;
    if (highlighted) {
        // The selection covers every row but the frame's: paint the background only there.
        PaintBackgroundAndStrip(buffer, colours, 0, line - 1, metrics.stripWidth);
        PaintBackgroundAndStrip(buffer, colours, h - line, h - 1, metrics.stripWidth);
    } else {
        PaintBackgroundAndStrip(buffer, colours, 0, h - 1, metrics.stripWidth);
    }
    if (item.separator) {
        PaintSeparator(buffer, colours, metrics);
        return true;
    }
    if (highlighted)
        PaintTwoPartGradient(buffer, line, h - 2 * line, 0, w - 1, colours.selectionLightColor,
                             colours.selectionDarkColor);
    if (item.checked)
        PaintCheckFill(buffer, colours, metrics);
    PaintPicture(buffer, item, colours, highlighted, cache, metrics);
    if (highlighted)
        PaintRoundedFrame(buffer, colours.frameColor, 0, w - 1, 0, h - 1, line);
    // In a lower item the frame would not fit around the check box fill.
    if (item.checked && h >= metrics.minimumItemHeight)
        PaintCheckFrame(buffer, colours, metrics);
    if (item.submenuArrow)
        PaintSubmenuArrow(buffer, CaptionColour(item, selected, colours), metrics);
    return true;
}

PaintedItem PaintMenuItem(const MenuItemLook& item, bool selected, const ItemRect& rect,
                          const MenuColours& colours, PictureColourCache* cache,
                          const MenuMetrics& metrics) {
    PaintedItem painted;
    if (TooSmall(rect.Width(), rect.Height(), metrics))
        return painted;
    painted.pixels = ItemPixels(rect.Width(), rect.Height());
    PaintItemPixels(item, selected, colours, painted.pixels, cache, metrics);
    if (!item.separator)
        painted.text = TextPlacement{{rect.left + metrics.textLeft, rect.top,
                                      rect.right - metrics.textRightGap, rect.bottom},
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
