#pragma once
// Every length of the program's menus and dialogs is designed in pixels at 96 DPI (100%
// display scaling) and drawn at the DPI of the monitor it shows on. One rounding rule serves
// measuring and painting alike, so what was measured is exactly what is painted.

namespace vantrel {

constexpr int DesignDpi = 96;

// The length at `dpi`, rounded to the nearest pixel (halves away from zero). At 96 DPI every
// length stays exactly as designed.
constexpr int ScaledLength(int length, int dpi) {
    const long long scaled = static_cast<long long>(length) * dpi;
    const long long half = DesignDpi / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / DesignDpi
                                        : -((-scaled + half) / DesignDpi));
}

// A run of pixels (a position and a length) at `dpi`: both ends are scaled, so runs that met
// at 96 DPI still meet, and a run keeps its place among its neighbours.
struct PixelRun {
    int start = 0;
    int length = 0;
};

constexpr PixelRun ScaledRun(int start, int length, int dpi) {
    const int first = ScaledLength(start, dpi);
    return {first, ScaledLength(start + length, dpi) - first};
}

} // namespace vantrel
