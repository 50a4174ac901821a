#include "fieldview/MeshThinning.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <utility>
#include <vector>

namespace tessaplot {
namespace {

// A flat field of 6 nodes and `steps` time steps in the unit cube, built as the
// viewer builds it.
FieldMesh flatField(int steps, float value = 0.5f) {
    std::vector<FieldPoint> points;
    for (int k = 0; k < steps; ++k)
        for (int j = 0; j < 6; ++j)
            points.push_back({static_cast<float>(k), 0.2f * static_cast<float>(j), value});
    FieldExtents e;
    e.TimeSpan = static_cast<float>(steps - 1);
    return BuildFieldMesh(points, 6, e, ColorRamp{}, 0);
}

// Model x (position) and y (time) each across `pixels` window pixels.
WindowMapping squareView(double pixels) {
    WindowMapping m;
    m.x[0] = pixels;
    m.y[0] = 0;
    m.y[1] = pixels;
    return m;
}

std::set<std::pair<unsigned, unsigned>> segmentSet(const std::vector<unsigned>& segments) {
    std::set<std::pair<unsigned, unsigned>> set;
    for (std::size_t i = 0; i + 1 < segments.size(); i += 2)
        set.insert({segments[i], segments[i + 1]});
    return set;
}

TEST(MeshThinning, AMeshNoDenserThanFourLinesAPixelIsDrawnWhole) {
    const FieldMesh mesh = flatField(400);
    std::vector<unsigned> segments = {7};
    EXPECT_FALSE(ThinFieldMesh(mesh, squareView(100), segments));
    EXPECT_EQ(segments, std::vector<unsigned>{7}) << "left untouched";
    EXPECT_FALSE(ThinFieldMesh(flatField(1), squareView(1), segments)) << "a single step";
}

TEST(MeshThinning, ADenseMeshKeepsAFewLinesAcrossPerPixelRowAndMergesAlongTime) {
    const int steps = 4000;
    const FieldMesh mesh = flatField(steps);
    std::vector<unsigned> segments;
    ASSERT_TRUE(ThinFieldMesh(mesh, squareView(100), segments));
    const auto kept = segmentSet(segments);

    // Across: in each of the 100 pixel rows of time the first line and the one half a
    // pixel further, and the last; five segments each.
    int across = 0;
    for (int k = 0; k < steps; ++k)
        across += kept.count({static_cast<unsigned>(6 * k), static_cast<unsigned>(6 * k + 1)});
    EXPECT_GE(across, 100);
    EXPECT_LE(across, 2 * 100 + 1);
    EXPECT_TRUE(kept.count({6 * (steps - 1), 6 * (steps - 1) + 1})) << "the last step";
    // Along: each node's line runs through its first and last vertex without a gap.
    for (unsigned j = 0; j < 6; ++j) {
        unsigned at = j;
        int hops = 0;
        for (const auto& [a, b] : kept)
            if (a == at && b % 6 == j && b > a) {
                at = b;
                ++hops;
            }
        EXPECT_EQ(at, j + 6 * (steps - 1)) << "node " << j;
        EXPECT_LE(hops, 2 * 100 + 1);
    }
    EXPECT_LE(segments.size(), 2u * ((2 * 100 + 1) * 5 + 6 * (2 * 100 + 1)));
}

TEST(MeshThinning, LinesThatMoveAPixelOrMoreAreAllKept) {
    // Every step lifts its line five pixels on the screen: no line lies near another,
    // and the lines along time climb through a new pixel at every vertex.
    std::vector<FieldPoint> points;
    const int steps = 1000;
    for (int k = 0; k < steps; ++k)
        for (int j = 0; j < 6; ++j)
            points.push_back({static_cast<float>(k), 0.2f * j, static_cast<float>(k)});
    FieldExtents e;
    e.TimeSpan = steps - 1.0f;
    e.ValueSpan = steps - 1.0f;
    const FieldMesh mesh = BuildFieldMesh(points, 6, e, ColorRamp{}, 0);
    WindowMapping valueUp = squareView(100);
    valueUp.y[2] = 5.0 * (steps - 1);
    std::vector<unsigned> segments, whole;
    ASSERT_TRUE(ThinFieldMesh(mesh, valueUp, segments));
    AppendSegmentIndices(mesh, whole);
    EXPECT_EQ(segmentSet(segments), segmentSet(whole));
}

TEST(MeshThinning, VerticesWithoutAPlaceAreNeverMergedAway) {
    FieldMesh mesh = flatField(4000);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (int c = 0; c < 3; ++c)
        mesh.vertices[3 * (6 * 2000 + 3) + c] = nan;
    std::vector<unsigned> segments;
    ASSERT_TRUE(ThinFieldMesh(mesh, squareView(100), segments));
    const auto kept = segmentSet(segments);
    const unsigned odd = 6 * 2000 + 3;
    EXPECT_TRUE(kept.count({odd - 1, odd}) && kept.count({odd, odd + 1})) << "its step's line";
    EXPECT_TRUE(kept.count({odd - 6, odd}) && kept.count({odd, odd + 6})) << "its node's line";
}

} // namespace
} // namespace tessaplot
