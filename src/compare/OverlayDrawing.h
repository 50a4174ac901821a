#pragma once

#include "compare/OverlayGeometry.h"
#include "gl/WindowMapping.h"

#include <vector>

namespace tessaplot {

// One run's curve (x, y pairs in the picture's units, z 0) in its colour, as a line
// strip through the points each pixel column needs; the line width is the caller's.
void DrawRunPolyline(const std::vector<float>& xy, const RunColour& colour);

// The points of a run's curve that the view they were picked for needs, kept while the
// curve and that view stay: a chart of several runs drawn again picks none anew, and
// hands OpenGL only these points, not every record to upload.
struct ShownPolyline {
    std::vector<float> xy; // the points drawn, in order
    WindowMapping mapping;
    int viewport[4] = {0, 0, 0, 0};
    bool reduced = false; // the reduction was on when they were picked
    bool valid = false;   // the owner clears it whenever the curve's points change
};
// The same picture as DrawRunPolyline(xy, colour), through `shown`.
void DrawRunPolyline(const std::vector<float>& xy, const RunColour& colour, ShownPolyline& shown);

// The legend: for each entry a short line of `sampleWidth` pixels in its colour and
// its text in that colour, in the small font. The texts drawn after it keep the font
// and the line width of before.
void DrawLegend(const std::vector<LegendEntry>& entries, const LegendLayout& layout,
                float sampleWidth);

} // namespace tessaplot
