#include "fieldview/ColorRamp.h"
#include "fieldview/FieldMesh.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessaplot {
namespace {

// A layer of `nodes` positions 0, 0.05, ... per time step, time = step minutes,
// value = step * 10 + node.
std::vector<FieldPoint> layerRecords(int nodes, int steps, int extra = 0) {
    std::vector<FieldPoint> points;
    for (int k = 0; k < steps; ++k)
        for (int j = 0; j < nodes; ++j)
            points.push_back({static_cast<float>(k), 0.05f * static_cast<float>(j),
                              static_cast<float>(k * 10 + j)});
    for (int j = 0; j < extra; ++j)
        points.push_back({static_cast<float>(steps), 0.05f * static_cast<float>(j), 0.0f});
    return points;
}

FieldExtents extentsOf(int nodes, int steps) {
    FieldExtents e;
    e.TimeMin = 0;
    e.TimeSpan = static_cast<float>(steps - 1);
    e.PositionMin = 0;
    e.PositionSpan = 0.05f * static_cast<float>(nodes - 1);
    e.ValueMin = 0;
    e.ValueSpan = static_cast<float>((steps - 1) * 10 + nodes - 1);
    return e;
}

std::vector<unsigned> stripIndices(const FieldMesh& mesh, int strip) {
    const StripSpan s = mesh.strips[static_cast<size_t>(strip)];
    return {mesh.indices.begin() + s.first, mesh.indices.begin() + s.first + s.count};
}

TEST(FieldMesh, LinesAcrossEveryStepAndAlongEveryNode) {
    const auto points = layerRecords(6, 100);
    const FieldMesh mesh = BuildFieldMesh(points, 6, extentsOf(6, 100), ColorRamp{}, 0);
    ASSERT_EQ(mesh.strips.size(), 106u);
    EXPECT_EQ(mesh.acrossCount, 100);
    EXPECT_EQ(mesh.vertexCount(), 600);
    for (int k = 0; k < 100; ++k)
        ASSERT_EQ(mesh.strips[static_cast<size_t>(k)].count, 6) << "strip " << k;
    for (int j = 0; j < 6; ++j)
        ASSERT_EQ(mesh.strips[static_cast<size_t>(100 + j)].count, 100) << "node " << j;

    EXPECT_EQ(stripIndices(mesh, 7), (std::vector<unsigned>{42, 43, 44, 45, 46, 47}));
    const auto node2 = stripIndices(mesh, 102);
    EXPECT_EQ(node2.front(), 2u);
    EXPECT_EQ(node2[1], 8u);
    EXPECT_EQ(node2.back(), 2u + 99u * 6u);

    // Record 47: node 5 at step 7, placed in the unit cube by position, time, value.
    EXPECT_FLOAT_EQ(mesh.vertices[47 * 3 + 0], 1.0f);
    EXPECT_FLOAT_EQ(mesh.vertices[47 * 3 + 1], 7.0f / 99.0f);
    EXPECT_FLOAT_EQ(mesh.vertices[47 * 3 + 2], 75.0f / 995.0f);
}

TEST(FieldMesh, SegmentsJoinTheRecordsOfEveryStripAndNothingElse) {
    const auto points = layerRecords(3, 4);
    const FieldMesh mesh = BuildFieldMesh(points, 3, extentsOf(3, 4), ColorRamp{}, 0);
    std::vector<unsigned> segments{99, 98}; // appended to, not replaced
    AppendSegmentIndices(mesh, segments);
    // 4 steps x 2 segments across, 3 nodes x 3 segments along time.
    ASSERT_EQ(segments.size(), 2u + 2u * (4 * 2 + 3 * 3));
    EXPECT_EQ(std::vector<unsigned>(segments.begin() + 2, segments.begin() + 6),
              (std::vector<unsigned>{0, 1, 1, 2}));
    EXPECT_EQ(std::vector<unsigned>(segments.end() - 6, segments.end()),
              (std::vector<unsigned>{2, 5, 5, 8, 8, 11}));

    std::vector<unsigned> none;
    AppendSegmentIndices(
        BuildFieldMesh(std::vector<FieldPoint>{}, 3, extentsOf(3, 4), ColorRamp{}, 0), none);
    EXPECT_TRUE(none.empty());
}

TEST(FieldMesh, IncompleteLastStepIsLeftOut) {
    const auto points = layerRecords(6, 10, 4);
    const FieldMesh mesh = BuildFieldMesh(points, 6, extentsOf(6, 10), ColorRamp{}, 0);
    EXPECT_EQ(mesh.vertexCount(), 60);
    EXPECT_EQ(mesh.acrossCount, 10);
    ASSERT_EQ(mesh.strips.size(), 16u);
    for (unsigned index : mesh.indices)
        EXPECT_LT(index, 60u);
}

TEST(FieldMesh, SingleTimeStepIsOneLineAcrossTheThickness) {
    // The loader finds no recurring position and leaves the records per step at 0.
    const auto points = layerRecords(6, 1);
    const FieldMesh mesh = BuildFieldMesh(points, 0, extentsOf(6, 1), ColorRamp{}, 0);
    ASSERT_EQ(mesh.strips.size(), 1u);
    EXPECT_EQ(mesh.acrossCount, 1);
    EXPECT_EQ(stripIndices(mesh, 0), (std::vector<unsigned>{0, 1, 2, 3, 4, 5}));
}

TEST(FieldMesh, NothingToDrawGivesAnEmptyMesh) {
    const FieldExtents e;
    EXPECT_TRUE(BuildFieldMesh({}, 0, e, ColorRamp{}, 0).strips.empty());
    EXPECT_TRUE(BuildFieldMesh({}, 6, e, ColorRamp{}, 0).strips.empty());
    const auto fewer = layerRecords(6, 0, 4); // four records, not one whole step
    const FieldMesh mesh = BuildFieldMesh(fewer, 6, e, ColorRamp{}, 0);
    EXPECT_TRUE(mesh.strips.empty());
    EXPECT_TRUE(mesh.vertices.empty());
    EXPECT_TRUE(BuildBodyCurve({}, e).strips.empty());
}

TEST(FieldMesh, OneColourPerRecordByTheChosenAxis) {
    const auto points = layerRecords(6, 5);
    const FieldExtents e = extentsOf(6, 5);
    const ColorRamp blueToRed = MakeColorRamp(0xFF0000u, 0x0000FFu);
    const auto colorOf = [](const FieldMesh& m, int record) {
        return RampColor{m.colors[static_cast<size_t>(record) * 3],
                         m.colors[static_cast<size_t>(record) * 3 + 1],
                         m.colors[static_cast<size_t>(record) * 3 + 2]};
    };

    // By value: the lowest record blue, the highest red.
    const FieldMesh byValue = BuildFieldMesh(points, 6, e, blueToRed, kColorAlongValue);
    EXPECT_FLOAT_EQ(colorOf(byValue, 0).b, 1.0f);
    EXPECT_FLOAT_EQ(colorOf(byValue, 0).r, 0.0f);
    EXPECT_FLOAT_EQ(colorOf(byValue, 29).r, 1.0f);
    EXPECT_FLOAT_EQ(colorOf(byValue, 29).b, 0.0f);

    // By time ("X-axis"): constant across the thickness, changing along time.
    const FieldMesh byTime = BuildFieldMesh(points, 6, e, blueToRed, kColorAlongTime);
    for (int step = 0; step < 5; ++step)
        for (int node = 1; node < 6; ++node)
            EXPECT_FLOAT_EQ(colorOf(byTime, step * 6 + node).r, colorOf(byTime, step * 6).r);
    EXPECT_FLOAT_EQ(colorOf(byTime, 12).r, 0.5f);

    // By position ("Y-axis"): constant along time, changing across the thickness.
    const FieldMesh byPosition = BuildFieldMesh(points, 6, e, blueToRed, kColorAlongPosition);
    for (int step = 1; step < 5; ++step)
        EXPECT_FLOAT_EQ(colorOf(byPosition, step * 6 + 3).r, colorOf(byPosition, 3).r);
    EXPECT_FLOAT_EQ(colorOf(byPosition, 5).r, 1.0f);
}

TEST(FieldMesh, BodyCurveRunsThroughEveryRecordInRed) {
    const std::vector<FieldPoint> points = {{0, 0, 33.0f}, {30, 0, 34.5f}, {60, 0, 33.75f}};
    FieldExtents e;
    e.TimeSpan = 60;
    e.ValueMin = 33.0f;
    e.ValueSpan = 1.5f;
    const FieldMesh curve = BuildBodyCurve(points, e);
    ASSERT_EQ(curve.strips.size(), 1u);
    EXPECT_EQ(curve.strips[0].count, 3);
    EXPECT_EQ(curve.vertices, (std::vector<float>{0, 0, 0, 0.5f, 1, 0, 1, 0.5f, 0}));
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(curve.colors[i * 3], 1.0f);
        EXPECT_EQ(curve.colors[i * 3 + 1], 0.0f);
        EXPECT_EQ(curve.colors[i * 3 + 2], 0.0f);
    }
}

TEST(ColorRamp, ChannelsAndInterpolation) {
    const RampColor navy = ColorFromRgb24(128u << 16);
    EXPECT_FLOAT_EQ(navy.r, 0.0f);
    EXPECT_NEAR(navy.b, 0.502f, 0.0005f);
    const RampColor mixed = ColorFromRgb24(0x336699u); // R 0x99, G 0x66, B 0x33
    EXPECT_FLOAT_EQ(mixed.r, 153.0f / 255.0f);
    EXPECT_FLOAT_EQ(mixed.g, 102.0f / 255.0f);
    EXPECT_FLOAT_EQ(mixed.b, 51.0f / 255.0f);

    const ColorRamp ramp = MakeColorRamp(0xFF0000u, 0x0000FFu);
    const RampColor half = ramp.at(0.5f);
    EXPECT_FLOAT_EQ(half.r, 0.5f);
    EXPECT_FLOAT_EQ(half.g, 0.0f);
    EXPECT_FLOAT_EQ(half.b, 0.5f);
}

} // namespace
} // namespace tessaplot
