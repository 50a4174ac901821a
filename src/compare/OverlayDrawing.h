#pragma once

#include "compare/OverlayGeometry.h"

#include <vector>

namespace tessaplot {

// One run's curve (x, y pairs in the picture's units, z 0) in its colour, as a line
// strip through the points each pixel column needs; the line width is the caller's.
void DrawRunPolyline(const std::vector<float>& xy, const RunColour& colour);

// The legend: for each entry a short line of `sampleWidth` pixels in its colour and
// its text in that colour, in the small font. The texts drawn after it keep the font
// and the line width of before.
void DrawLegend(const std::vector<LegendEntry>& entries, const LegendLayout& layout,
                float sampleWidth);

} // namespace tessaplot
