#pragma once

#include "dataset/FieldPoint.h"
#include "fieldview/ColorRamp.h"

#include <span>
#include <vector>

namespace tessaplot {

// One line strip of a mesh: `count` entries of FieldMesh::indices from `first`.
struct StripSpan {
    int first;
    int count;
};

// The lines of a field picture as plain data: one vertex and one colour per record
// drawn (so where two strips meet, the shared record has one colour), and the strips
// as runs of record indices. The drawing code only hands these arrays to OpenGL.
struct FieldMesh {
    std::vector<float> vertices; // x, y, z per record, in the unit cube
    std::vector<float> colors;   // r, g, b per record
    std::vector<unsigned> indices;
    std::vector<StripSpan> strips;
    // The first acrossCount strips run across the thickness (one per time step), the
    // rest along time (one per node).
    int acrossCount = 0;

    int vertexCount() const { return static_cast<int>(vertices.size() / 3); }
};

// The strips as separate segments (pairs of record indices), for one draw call: the
// software renderers we meet pay per call and per strip far more than per segment.
void AppendSegmentIndices(const FieldMesh& mesh, std::vector<unsigned>& segments);

// The 3D mesh of a fabric or fibre field: for every complete time step of
// `positionsPerStep` records a strip across the thickness, then for every node a strip
// along time. Records after the last complete time step are left out.
//
// A file with a single time step never shows its first position again, so the loader
// leaves positionsPerStep at 0; its records are then drawn as one line across the
// thickness.
//
// With `colourExtents`, the ramp runs over those instead of `extents`, and a record
// beyond them takes the end colour on its side.
FieldMesh BuildFieldMesh(std::span<const FieldPoint> points, int positionsPerStep,
                         const FieldExtents& extents, const ColorRamp& ramp, int colorAxis,
                         const FieldExtents* colourExtents = nullptr);

// The 2D curve of a body quantity: time along x, value along y, every record in file
// order, all in the curve colour.
FieldMesh BuildBodyCurve(std::span<const FieldPoint> points, const FieldExtents& extents,
                         RampColor color = {1, 0, 0});

} // namespace tessaplot
