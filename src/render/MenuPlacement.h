#pragma once
// Where a menu opened from the keyboard's shortcut shows: its top-left corner at the pointer,
// as a click opens it, and whole within the work area of the pointer's monitor (never under
// the taskbar, never off the screen). Where it does not fit after the pointer it opens before
// it, its right or bottom edge at the pointer, as Windows turns a menu at the screen's edge;
// the window manager then needs no exact size of the menu, only which side it fits on.

namespace vantrel {

// Screen pixels, right and bottom exclusive.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct MenuAnchor {
    int x = 0;
    int y = 0;
    bool rightEdgeAtX = false;  // else the left edge
    bool bottomEdgeAtY = false; // else the top edge
};

// A menu about `width` by `height` pixels for the pointer at (x, y).
MenuAnchor PlaceMenu(int x, int y, int width, int height, const ScreenRect& workArea);

} // namespace vantrel
