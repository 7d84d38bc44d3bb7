// Renders sample menus with every kind of item and state, painted by the real item painter,
// in three colour schemes, dark mode and high contrast, plus every menu picture, to a PNG:
//   render_sample out.png [scale]
// Captions are drawn with a tiny built-in capital-letter font where the Windows side would
// draw them with DrawTextA, in the rectangle and colour the painter returns.

#include "BitmapFont.h"
#include "PngWriter.h"

#include "render/ItemPainter.h"
#include "render/MenuTheme.h"
#include "render/PictureData.h"
#include "tree/ImageIndex.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace vantrel::tools {
namespace {

constexpr int Margin = 12;
constexpr int CaptionHeight = 13; // a typical menu font's line height
constexpr int GridColumns = 6;
constexpr int GridCellWidth = 40;
constexpr int GridCellHeight = 24;

struct Scheme {
    const char* name;
    MenuColours colours;
};

const Scheme Schemes[] = {
    {"Light", DeriveMenuColours({240, 240, 240}, {51, 153, 255}, {0, 0, 0})},
    // Light text on a dark face, as in a high-contrast scheme that Windows does not report
    // as one: the captions turn black on the light derived background.
    {"Dark face", DeriveMenuColours({42, 42, 42}, {0, 120, 215}, {255, 255, 255})},
    {"Rose", DeriveMenuColours({207, 175, 183}, {128, 64, 96}, {0, 0, 0})},
    {"Dark mode", DarkMenuColours({0, 120, 215})},
    {"High contrast", HighContrastMenuColours(
                          {{0, 0, 0}, {255, 255, 255}, {26, 235, 255}, {0, 0, 0}, {63, 242, 63}})},
};

struct SampleItem {
    std::string caption;
    std::string shortcut;
    int imageIndex = ImageNone;
    bool entryIcon = false;
    bool selected = false;
    bool checked = false;
    bool enabled = true;
    int captionHeight = CaptionHeight;
};

std::vector<SampleItem> SampleItems() {
    auto item = [](std::string caption, int image) {
        SampleItem s;
        s.caption = std::move(caption);
        s.imageIndex = image;
        return s;
    };
    std::vector<SampleItem> items;
    items.push_back(item("&Open Link", ImageOpenLink));
    items.push_back(item("Copy Link (selected)", ImageCopyLink));
    items.back().selected = true;
    items.push_back(item("Run at &Startup", ImageRunAtStartup));
    items.back().checked = true;
    items.push_back(item("Checked, selected", ImageRunAtStartup));
    items.back().checked = items.back().selected = true;
    items.push_back(item("Checked, no picture", ImageNone));
    items.back().checked = true;
    items.push_back(item("Disabled", ImageDiskDrives));
    items.back().enabled = false;
    items.push_back(item("Disabled, selected", ImageDiskDrives));
    items.back().enabled = false;
    items.back().selected = true;
    items.push_back(item("-", ImageNone));
    items.push_back(item("Entry icon", ImageNone));
    items.back().entryIcon = true;
    items.push_back(item("Entry icon, selected", ImageNone));
    items.back().entryIcon = items.back().selected = true;
    items.push_back(item("Entry icon, disabled", ImageNone));
    items.back().entryIcon = true;
    items.back().enabled = false;
    items.push_back(item("No picture", ImageNone));
    items.push_back(item("&Edit Item", ImageEditItem));
    items.back().shortcut = "Ctrl+E";
    items.push_back(item("-", ImageNone));
    items.push_back(item("Large font", ImageInternetLinks));
    items.back().captionHeight = 28;
    items.push_back(item("E&xit", ImagePower));
    return items;
}

// A shaded orange ball with a soft edge: partial alpha all round.
IconPixels SampleEntryIcon() {
    IconPixels pixels{};
    for (int row = 0; row < IconSide; ++row) {
        for (int column = 0; column < IconSide; ++column) {
            const float dx = static_cast<float>(column) - 7.5f;
            const float dy = static_cast<float>(IconSide - 1 - row) - 7.5f; // rows bottom-up
            const float distance = std::sqrt(dx * dx + dy * dy);
            const float coverage = std::clamp(7.5f - distance, 0.0f, 1.0f);
            const float light = std::clamp(1.0f - (dx + dy + 10.0f) / 20.0f, 0.0f, 1.0f);
            std::uint8_t* p = &pixels[static_cast<std::size_t>((row * IconSide + column) * 4)];
            p[0] = static_cast<std::uint8_t>(20 + 100 * light); // blue
            p[1] = static_cast<std::uint8_t>(90 + 130 * light); // green
            p[2] = static_cast<std::uint8_t>(200 + 55 * light); // red
            p[3] = static_cast<std::uint8_t>(255 * coverage);
        }
    }
    return pixels;
}

void Blit(RgbImage& image, const ItemPixels& pixels, int left, int top) {
    for (int row = 0; row < pixels.Height(); ++row) {
        const int y = top + pixels.Height() - 1 - row; // buffer rows are bottom-up
        for (int column = 0; column < pixels.Width(); ++column) {
            const Rgb colour = pixels.At(column, row);
            std::uint8_t* out = image.At(left + column, y);
            out[0] = colour.red;
            out[1] = colour.green;
            out[2] = colour.blue;
        }
    }
}

void FillRect(RgbImage& image, int left, int top, int width, int height, Rgb colour) {
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x) {
            std::uint8_t* out = image.At(x, y);
            out[0] = colour.red;
            out[1] = colour.green;
            out[2] = colour.blue;
        }
}

TextColour ToText(Rgb colour) {
    return {colour.red, colour.green, colour.blue};
}

// The text steps the Windows side takes: caption left, shortcut right, both centred.
void DrawItemText(RgbImage& image, const SampleItem& sample, const TextPlacement& text) {
    const int y = text.rect.top + (text.rect.Height() - GlyphHeight) / 2;
    DrawText(image, text.rect.left, y, sample.caption, ToText(text.colour));
    if (!sample.shortcut.empty())
        DrawText(image, text.rect.right - TextWidth(sample.shortcut), y, sample.shortcut,
                 ToText(text.colour));
}

struct MenuLayout {
    int width = 0;
    std::vector<int> heights;
    int Height() const {
        int total = 0;
        for (const int h : heights)
            total += h;
        return total;
    }
};

MenuLayout Measure(const std::vector<SampleItem>& items) {
    MenuLayout layout;
    for (const SampleItem& sample : items) {
        std::optional<TextExtent> shortcut;
        if (!sample.shortcut.empty())
            shortcut = TextExtent{TextWidth(sample.shortcut), sample.captionHeight};
        const ItemSize size = MeasureMenuItem(
            sample.caption == "-", {TextWidth(sample.caption), sample.captionHeight}, shortcut);
        layout.width = std::max(layout.width, size.width);
        layout.heights.push_back(size.height);
    }
    return layout;
}

struct Context {
    const PictureList& pictures;
    const IconPixels& entryIcon;
    PictureColourCache& cache;
};

void DrawMenu(RgbImage& image, const Scheme& scheme, const std::vector<SampleItem>& items,
              const MenuLayout& layout, int left, int top, Context& context) {
    // A one-pixel menu border, as the system draws around the items.
    FillRect(image, left - 1, top - 1, layout.width + 2, layout.Height() + 2,
             scheme.colours.frameColor);
    int y = top;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const SampleItem& sample = items[i];
        MenuItemLook look;
        look.separator = sample.caption == "-";
        look.enabled = sample.enabled;
        look.checked = sample.checked;
        look.imageIndex = sample.imageIndex;
        look.entryPixels = sample.entryIcon ? &context.entryIcon : nullptr;
        look.pictures = &context.pictures;
        const ItemRect rect{left, y, left + layout.width, y + layout.heights[i]};
        const PaintedItem painted =
            PaintMenuItem(look, sample.selected, rect, scheme.colours, &context.cache);
        Blit(image, painted.pixels, rect.left, rect.top);
        if (painted.text)
            DrawItemText(image, sample, *painted.text);
        y += layout.heights[i];
    }
}

int GridHeight() {
    const int rows = (MenuPictureCount + GridColumns - 1) / GridColumns;
    return rows * GridCellHeight;
}

// Every picture of the image list as the picture part of a plain item.
void DrawPictureGrid(RgbImage& image, const Scheme& scheme, int left, int top, Context& context) {
    for (int i = 0; i < MenuPictureCount; ++i) {
        MenuItemLook look;
        look.imageIndex = 2 * i;
        look.pictures = &context.pictures;
        const int x = left + (i % GridColumns) * GridCellWidth;
        const int y = top + (i / GridColumns) * GridCellHeight;
        const ItemRect rect{x, y, x + GridCellWidth, y + GridCellHeight};
        const PaintedItem painted =
            PaintMenuItem(look, false, rect, scheme.colours, &context.cache);
        Blit(image, painted.pixels, x, y);
    }
}

int Run(const char* path, int scale) {
    const std::vector<SampleItem> items = SampleItems();
    const MenuLayout layout = Measure(items);
    const PictureList pictures = PictureList::MenuPictureList();
    const IconPixels entryIcon = SampleEntryIcon();
    PictureColourCache cache;
    Context context{pictures, entryIcon, cache};

    const int columnWidth = std::max(layout.width, GridColumns * GridCellWidth) + Margin;
    const int titleHeight = GlyphHeight + 8;
    const int width = Margin + columnWidth * static_cast<int>(std::size(Schemes));
    const int height = Margin + titleHeight + layout.Height() + Margin + GridHeight() + Margin;
    RgbImage image(width, height);
    FillRect(image, 0, 0, width, height, {58, 110, 165}); // a desktop behind the menus

    int left = Margin;
    for (const Scheme& scheme : Schemes) {
        DrawText(image, left, Margin, scheme.name, {255, 255, 255});
        const int menuTop = Margin + titleHeight;
        DrawMenu(image, scheme, items, layout, left, menuTop, context);
        DrawPictureGrid(image, scheme, left, menuTop + layout.Height() + Margin, context);
        left += columnWidth;
    }

    RgbImage scaled(width * scale, height * scale);
    for (int y = 0; y < scaled.height; ++y)
        for (int x = 0; x < scaled.width; ++x)
            std::copy_n(image.At(x / scale, y / scale), 3, scaled.At(x, y));
    if (!WritePng(scaled, path)) {
        std::fprintf(stderr, "cannot write %s\n", path);
        return 1;
    }
    return 0;
}

} // namespace
} // namespace vantrel::tools

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: render_sample out.png [scale]\n");
        return 2;
    }
    const int scale = argc > 2 ? std::clamp(std::atoi(argv[2]), 1, 8) : 1;
    return vantrel::tools::Run(argv[1], scale);
}
