#pragma once

#include <string>
#include <vector>

namespace tessaplot {

struct Point3 {
    float x, y, z;
};

struct Segment {
    Point3 from, to;
};

struct PlacedText {
    Point3 at;
    std::string text;
};

// The frame around the unit cube (3D) or unit square (2D) in model coordinates:
// axes with arrowheads and ticks, the orientation triad with its letters, and the
// stippled grid (left out on the comfort chart).
struct FrameGeometry {
    std::vector<Segment> lines; // black: axes, arrowheads, ticks, triad
    std::vector<PlacedText> letters;
    std::vector<Segment> grid; // grey, stippled
};

FrameGeometry BuildFrame(bool threeD, bool withGrid);

// The six tick and grid steps 0, 0.2, ... 1.0.
inline constexpr int kTickCount = 6;
inline float TickStep(int i) {
    return static_cast<float>(i) * 0.2f;
}

} // namespace tessaplot
