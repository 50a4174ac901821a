#pragma once

#include "fieldview/FieldMesh.h"
#include "gl/WindowMapping.h"

#include <vector>

namespace tessaplot {

// The segments of a field mesh to draw in a view that cannot show all of them apart:
// along time, of every run of consecutive vertices in one device pixel only the first
// and the last; across the thickness, a time step's line only where one of its
// vertices falls into another pixel than the same vertex of the last line kept. Every
// pixel the whole mesh lights stays lit (up to the rasterizer's rounding), and where
// lines overlap, a neighbour of nearly the same colour shows.
//
// Only a mesh with more than four time steps to each device pixel its time axis spans
// is thinned; false, `segments` untouched, for any other (it is drawn whole).
// `segments` is refilled with pairs of vertex indices, its capacity kept.
bool ThinFieldMesh(const FieldMesh& mesh, const WindowMapping& mapping,
                   std::vector<unsigned>& segments);

} // namespace tessaplot
