#pragma once

#include "gl/WindowMapping.h"

#include <vector>

namespace tessaplot {

// Whether the pictures hand OpenGL only the points it can show apart (on unless
// switched off). Tests and the benchmark switch it off to compare with the full draw.
void SetDrawReduction(bool enabled);
bool DrawReduction();

// The mapping of the current context's modelview, projection and viewport.
WindowMapping CurrentWindowMapping();

// The points of a polyline to draw in the current view (see KeepColumnExtremes), into
// `kept`. False, `kept` untouched, when every point is to be drawn: the reduction is
// off, or the polyline has no more points than the viewport has pixel columns.
bool ReducePolyline(const PolylinePoints& points, std::vector<unsigned>& kept);

// A curve of (x, y) pairs (`points.stride` 2, z 0 in the arrays) as one line strip in
// the current colour and width, handed over as one vertex array through the points the
// view shows apart: a table of 150,000 lines would otherwise cost as many calls a draw.
void DrawReducedLineStrip(const PolylinePoints& points);

} // namespace tessaplot
