#include "fieldview/FieldMesh.h"
#include "readout/ColourKey.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace tessaplot {
namespace {

TEST(ColourRange, RecordsBeyondAFixedRangeTakeTheEndColoursAndTheRestTheRampsWithin) {
    // One step across six nodes, valued from -10 to 40; the range fixed to 0 ... 30.
    std::vector<FieldPoint> points;
    for (float v : {-10.0f, 0.0f, 7.5f, 15.0f, 30.0f, 40.0f})
        points.push_back({0.0f, (v + 10.0f) / 50.0f, v});
    const FieldExtents extents{0, 1, 0, 1, -10, 50};
    const ColorRamp ramp = MakeColorRamp(0x800000u, 0x00FFFFu); // navy to yellow
    const FieldExtents colour = *ColourExtents(extents, ColourRange{0.0f, 30.0f});
    const FieldMesh fixed = BuildFieldMesh(points, 0, extents, ramp, kColorAlongValue, &colour);
    const FieldMesh own = BuildFieldMesh(points, 0, extents, ramp, kColorAlongValue);

    const float expected[] = {0.0f, 0.0f, 0.25f, 0.5f, 1.0f, 1.0f};
    for (std::size_t i = 0; i < points.size(); ++i) {
        const RampColor want = ramp.at(expected[i]);
        EXPECT_FLOAT_EQ(fixed.colors[3 * i], want.r) << i;
        EXPECT_FLOAT_EQ(fixed.colors[3 * i + 1], want.g) << i;
        EXPECT_FLOAT_EQ(fixed.colors[3 * i + 2], want.b) << i;
    }
    // Only the colours change: the mesh stands where the data's own range puts it.
    EXPECT_EQ(fixed.vertices, own.vertices);
    EXPECT_EQ(fixed.indices, own.indices);
    EXPECT_FALSE(ColourExtents(extents, std::nullopt).has_value());

    // Along time or position a fixed value range changes nothing.
    for (int axis : {kColorAlongTime, kColorAlongPosition})
        EXPECT_EQ(BuildFieldMesh(points, 0, extents, ramp, axis, &colour).colors,
                  BuildFieldMesh(points, 0, extents, ramp, axis).colors);
}

TEST(ColourRange, HoldsForItsQuantityOnlyAndTakesTwoOrderedFloats) {
    ReadingState reading;
    EXPECT_FALSE(FixedRangeFor(reading, "Temperature(degree of C)"));
    reading.fixedRange = ReadingState::FixedRange{30.0f, 37.0f, "Temperature(degree of C)"};
    EXPECT_EQ(FixedRangeFor(reading, "Temperature(degree of C)"), (ColourRange{30.0f, 37.0f}));
    EXPECT_FALSE(FixedRangeFor(reading, "Relative Humidity(%)"));

    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double min, max;
        bool accepted;
    } cases[] = {
        {20, 40, true},           {-5, 40, true},  {-1e38, 1e38, true},
        {40, 20, false},          {7, 7, false},   {1, 1 + 1e-12, false}, // one float
        {std::nan(""), 1, false}, {0, inf, false}, {-1e39, 0, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ColourRangeProblem(c.min, c.max).empty(), c.accepted) << c.min << " " << c.max;
}

TEST(ColourKeyLayout, StaysInsideThePictureWithTicksAtTheFifthsOfTheBar) {
    const struct {
        int width, height;
        double scale;
        int label, text, title;
    } cases[] = {
        {417, 329, 1, 40, 13, 150}, {417, 329, 2, 80, 26, 300}, {834, 658, 4, 160, 52, 600},
        {200, 120, 1, 60, 13, 190}, {1200, 900, 1, 45, 13, 60}, {300, 40, 1, 40, 13, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " @" << c.scale);
        const ColourKeyLayout key =
            LayOutColourKey(c.width, c.height, c.scale, c.label, c.text, c.title);
        EXPECT_LT(key.barLeft, key.barRight);
        EXPECT_LT(key.barRight, key.tickRight);
        EXPECT_LT(key.tickRight, key.labelX);
        EXPECT_LE(key.labelX + static_cast<float>(c.label), static_cast<float>(c.width));
        EXPECT_GE(key.titleX, 0.0f);
        if (c.title < c.width / 2) {
            EXPECT_LE(key.titleX + static_cast<float>(c.title), static_cast<float>(c.width));
        }
        EXPECT_LE(key.titleY + static_cast<float>(c.text), static_cast<float>(c.height) + 1e-3f);
        EXPECT_FLOAT_EQ(key.tickY.front(), key.barBottom);
        EXPECT_FLOAT_EQ(key.tickY.back(), key.barTop);
        EXPECT_GT(key.barTop - key.barBottom, 0.0f);
        for (std::size_t i = 1; i < key.tickY.size(); ++i)
            EXPECT_NEAR(key.tickY[i] - key.tickY[i - 1], (key.barTop - key.barBottom) / 5, 1e-3);
        // The scale grows the key with the picture: a 2x picture's key is twice as wide.
        if (c.scale == 2) {
            const ColourKeyLayout one =
                LayOutColourKey(c.width / 2, c.height / 2, 1, c.label / 2, c.text / 2, c.title / 2);
            EXPECT_NEAR(key.barRight - key.barLeft, 2 * (one.barRight - one.barLeft), 1e-3);
        }
    }
}

} // namespace
} // namespace tessaplot
