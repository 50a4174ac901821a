#pragma once

namespace tessaplot {

// A rectangle on the desktop in pixels; right and bottom are one past the last pixel.
struct ScreenRect {
    int left = 0, top = 0, width = 0, height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool operator==(const ScreenRect&) const = default;
};

bool Overlap(const ScreenRect& a, const ScreenRect& b);

// Where a window of `width` x `height` goes beside `owner` on `screen`, `gap` apart:
// to its right, else its left, below or above, the first side with room for the whole
// window. Without such a side it is made smaller to fit the side with the most room for
// it, as long as that leaves it usable (`minWidth` x `minHeight`); without that, it
// lies on the screen clear of `keepSeen` (a part of the owner that must stay seen),
// again made smaller where needed. Only where the screen leaves no such room does it
// cover `keepSeen`, as near the owner's right as the screen allows.
ScreenRect PlaceBeside(const ScreenRect& owner, const ScreenRect& keepSeen, int width, int height,
                       const ScreenRect& screen, int gap, int minWidth, int minHeight);

// The same for a window shown with its owner: where the owner leaves no room beside it
// where it stands, the owner goes to the screen's top left corner when that leaves room.
struct TwoWindows {
    ScreenRect owner, window;
};
TwoWindows PlaceBesideOrMoveOwner(const ScreenRect& owner, const ScreenRect& keepSeen, int width,
                                  int height, const ScreenRect& screen, int gap, int minWidth,
                                  int minHeight);

} // namespace tessaplot
