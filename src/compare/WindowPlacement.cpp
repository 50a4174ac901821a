#include "compare/WindowPlacement.h"

#include <algorithm>
#include <array>

namespace tessaplot {

namespace {

ScreenRect intersected(const ScreenRect& a, const ScreenRect& b) {
    const int left = std::max(a.left, b.left), top = std::max(a.top, b.top);
    const int right = std::min(a.right(), b.right()), bottom = std::min(a.bottom(), b.bottom());
    return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

// The window placed inside `room` at `width` x `height` at most, starting from its
// corner nearest `anchor` (the owner's top or left edge, kept where the room allows).
ScreenRect fitted(const ScreenRect& room, int width, int height, int anchorLeft, int anchorTop) {
    ScreenRect place{0, 0, std::min(width, room.width), std::min(height, room.height)};
    place.left = std::clamp(anchorLeft, room.left, room.right() - place.width);
    place.top = std::clamp(anchorTop, room.top, room.bottom() - place.height);
    return place;
}

long long area(const ScreenRect& rect) {
    return static_cast<long long>(rect.width) * rect.height;
}

// Of the rooms, the first that holds the whole window, else the one that holds the
// largest part of it when that is at least the smallest usable size.
bool placeIn(const std::array<ScreenRect, 4>& rooms, const std::array<int, 4>& anchorsLeft,
             const std::array<int, 4>& anchorsTop, int width, int height, int minWidth,
             int minHeight, ScreenRect& place) {
    for (std::size_t i = 0; i < rooms.size(); ++i)
        if (rooms[i].width >= width && rooms[i].height >= height) {
            place = fitted(rooms[i], width, height, anchorsLeft[i], anchorsTop[i]);
            return true;
        }
    bool found = false;
    for (std::size_t i = 0; i < rooms.size(); ++i) {
        const ScreenRect candidate = fitted(rooms[i], width, height, anchorsLeft[i], anchorsTop[i]);
        if (candidate.width < minWidth || candidate.height < minHeight)
            continue;
        if (!found || area(candidate) > area(place)) {
            place = candidate;
            found = true;
        }
    }
    return found;
}

// The parts of `screen` to the right of, left of, below and above `rect`, `gap` apart.
std::array<ScreenRect, 4> roomsAround(const ScreenRect& rect, const ScreenRect& screen, int gap) {
    const int s = screen.left, t = screen.top, r = screen.right(), b = screen.bottom();
    return {intersected(screen, {rect.right() + gap, t, r - rect.right() - gap, b - t}),
            intersected(screen, {s, t, rect.left - gap - s, b - t}),
            intersected(screen, {s, rect.bottom() + gap, r - s, b - rect.bottom() - gap}),
            intersected(screen, {s, t, r - s, rect.top - gap - t})};
}

} // namespace

bool Overlap(const ScreenRect& a, const ScreenRect& b) {
    return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

ScreenRect PlaceBeside(const ScreenRect& owner, const ScreenRect& keepSeen, int width, int height,
                       const ScreenRect& screen, int gap, int minWidth, int minHeight) {
    const std::array<int, 4> left = {owner.right() + gap, owner.left - gap - width, owner.left,
                                     owner.left};
    const std::array<int, 4> top = {owner.top, owner.top, owner.bottom() + gap,
                                    owner.top - gap - height};
    ScreenRect place;
    if (placeIn(roomsAround(owner, screen, gap), left, top, width, height, minWidth, minHeight,
                place))
        return place;
    if (placeIn(roomsAround(keepSeen, screen, gap), left, top, width, height, minWidth, minHeight,
                place))
        return place;
    return fitted(screen, width, height, owner.right() + gap, owner.top);
}

TwoWindows PlaceBesideOrMoveOwner(const ScreenRect& owner, const ScreenRect& keepSeen, int width,
                                  int height, const ScreenRect& screen, int gap, int minWidth,
                                  int minHeight) {
    const ScreenRect place =
        PlaceBeside(owner, keepSeen, width, height, screen, gap, minWidth, minHeight);
    if (!Overlap(place, owner))
        return {owner, place};
    const int dx = screen.left - owner.left, dy = screen.top - owner.top;
    const ScreenRect corner{screen.left, screen.top, owner.width, owner.height};
    const ScreenRect keepThere{keepSeen.left + dx, keepSeen.top + dy, keepSeen.width,
                               keepSeen.height};
    const ScreenRect there =
        PlaceBeside(corner, keepThere, width, height, screen, gap, minWidth, minHeight);
    if (!Overlap(there, corner))
        return {corner, there};
    return {owner, place};
}

} // namespace tessaplot
