#include "render/MenuPlacement.h"

#include <algorithm>

namespace vantrel {

namespace {
struct AxisPlace {
    int at = 0;
    bool fromEnd = false;
};

// One axis: the pointer taken into the work area first (it may rest on the taskbar).
AxisPlace PlaceOnAxis(int pointer, int length, int low, int high) {
    const int at = std::max(low, std::min(pointer, high));
    if (at + length <= high)
        return {at, false};
    if (at - length >= low)
        return {at, true};
    // Longer than either side: from the start of the work area, or as much as fits of it.
    return {std::max(low, high - length), false};
}
} // namespace

MenuAnchor PlaceMenu(int x, int y, int width, int height, const ScreenRect& workArea) {
    const AxisPlace across = PlaceOnAxis(x, width, workArea.left, workArea.right);
    const AxisPlace down = PlaceOnAxis(y, height, workArea.top, workArea.bottom);
    return {across.at, down.at, across.fromEnd, down.fromEnd};
}

} // namespace vantrel
