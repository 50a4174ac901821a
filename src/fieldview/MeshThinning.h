#pragma once

#include "fieldview/FieldMesh.h"
#include "gl/WindowMapping.h"

#include <vector>

namespace tessaplot {

// The segments of a field mesh to draw in a view that cannot show all of them apart.
// Along time, of every run of consecutive vertices within one pixel step along the
// time axis's main screen direction only the first, the last and the two extremes
// across it; across the thickness, a time step's line only once one of its vertices
// lies half a pixel or more from the same vertex of the last line kept (the first and
// last steps always). Every pixel the whole mesh lights stays lit up to the rounding
// of single pixels, and where lines overlap a neighbour of nearly the same colour shows.
//
// Only a mesh with more than four time steps to each device pixel its time axis spans
// is thinned; false, `segments` untouched, for any other (it is drawn whole).
// `segments` is refilled with pairs of vertex indices, its capacity kept.
bool ThinFieldMesh(const FieldMesh& mesh, const WindowMapping& mapping,
                   std::vector<unsigned>& segments);

} // namespace tessaplot
