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

} // namespace tessaplot
