#include "fieldview/FieldMesh.h"

#include <algorithm>
#include <cstddef>

namespace tessaplot {

namespace {

void addVertex(FieldMesh& mesh, float x, float y, float z, RampColor color) {
    mesh.vertices.insert(mesh.vertices.end(), {x, y, z});
    mesh.colors.insert(mesh.colors.end(), {color.r, color.g, color.b});
}

void addContiguousStrip(FieldMesh& mesh, int firstRecord, int count) {
    mesh.strips.push_back({static_cast<int>(mesh.indices.size()), count});
    for (int i = 0; i < count; ++i)
        mesh.indices.push_back(static_cast<unsigned>(firstRecord + i));
}

} // namespace

FieldMesh BuildFieldMesh(std::span<const FieldPoint> points, int positionsPerStep,
                         const FieldExtents& extents, const ColorRamp& ramp, int colorAxis,
                         const FieldExtents* colourExtents) {
    FieldMesh mesh;
    const int count = static_cast<int>(points.size());
    const bool oneStep = positionsPerStep <= 0;
    const int perStep = oneStep ? count : positionsPerStep;
    const int steps = perStep > 0 ? count / perStep : 0;
    const int drawn = steps * perStep;
    if (drawn == 0)
        return mesh;

    mesh.vertices.reserve(static_cast<std::size_t>(drawn) * 3);
    mesh.colors.reserve(static_cast<std::size_t>(drawn) * 3);
    // The data's own extents put every record within the ramp: its colours stay as
    // they always were, unclamped.
    const auto colour = [&](const FieldPoint& p) {
        if (colourExtents == nullptr)
            return ramp.at(RampParameter(p, extents, colorAxis));
        return ramp.at(std::clamp(RampParameter(p, *colourExtents, colorAxis), 0.0f, 1.0f));
    };
    for (const FieldPoint& p : points.first(static_cast<std::size_t>(drawn))) {
        addVertex(mesh, (p.Position - extents.PositionMin) / extents.PositionSpan,
                  (p.Time - extents.TimeMin) / extents.TimeSpan,
                  (p.Value - extents.ValueMin) / extents.ValueSpan, colour(p));
    }

    mesh.indices.reserve(static_cast<std::size_t>(drawn) * (oneStep ? 1 : 2));
    for (int k = 0; k < steps; ++k)
        addContiguousStrip(mesh, k * perStep, perStep);
    mesh.acrossCount = steps;
    if (oneStep)
        return mesh;
    for (int j = 0; j < perStep; ++j) {
        mesh.strips.push_back({static_cast<int>(mesh.indices.size()), steps});
        for (int k = 0; k < steps; ++k)
            mesh.indices.push_back(static_cast<unsigned>(j + k * perStep));
    }
    return mesh;
}

FieldMesh BuildBodyCurve(std::span<const FieldPoint> points, const FieldExtents& extents,
                         RampColor color) {
    FieldMesh mesh;
    if (points.empty())
        return mesh;
    mesh.vertices.reserve(points.size() * 3);
    mesh.colors.reserve(points.size() * 3);
    for (const FieldPoint& p : points)
        addVertex(mesh, (p.Time - extents.TimeMin) / extents.TimeSpan,
                  (p.Value - extents.ValueMin) / extents.ValueSpan, 0.0f, color);
    addContiguousStrip(mesh, 0, static_cast<int>(points.size()));
    return mesh;
}

void AppendSegmentIndices(const FieldMesh& mesh, std::vector<unsigned>& segments) {
    std::size_t total = 0;
    for (const StripSpan& strip : mesh.strips)
        total += strip.count > 1 ? 2 * static_cast<std::size_t>(strip.count - 1) : 0;
    segments.reserve(segments.size() + total);
    for (const StripSpan& strip : mesh.strips) {
        const unsigned* run = mesh.indices.data() + strip.first;
        for (int i = 1; i < strip.count; ++i) {
            segments.push_back(run[i - 1]);
            segments.push_back(run[i]);
        }
    }
}

} // namespace tessaplot
