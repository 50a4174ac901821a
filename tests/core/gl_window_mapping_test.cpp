#include "gl/WindowMapping.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace tessaplot {
namespace {

// glOrtho(l, r, b, t, n, f) as OpenGL builds it, column-major.
std::vector<float> ortho(float l, float r, float b, float t, float n, float f) {
    std::vector<float> m(16, 0.0f);
    m[0] = 2 / (r - l);
    m[5] = 2 / (t - b);
    m[10] = -2 / (f - n);
    m[12] = -(r + l) / (r - l);
    m[13] = -(t + b) / (t - b);
    m[14] = -(f + n) / (f - n);
    m[15] = 1;
    return m;
}

TEST(WindowMapping, PutsPointsWhereTheViewportTransformDoes) {
    // A translation by (0.5, 0.25) after the projection of [-1, 1] onto 200 x 100
    // pixels whose viewport starts at (10, 20).
    std::vector<float> modelview(16, 0.0f);
    modelview[0] = modelview[5] = modelview[10] = modelview[15] = 1;
    modelview[12] = 0.5f;
    modelview[13] = 0.25f;
    const std::vector<float> projection = ortho(-1, 1, -1, 1, -1, 1);
    const int viewport[4] = {10, 20, 200, 100};
    const WindowMapping m =
        WindowMapping::FromMatrices(modelview.data(), projection.data(), viewport);
    EXPECT_DOUBLE_EQ(m.windowX(-1.5f, 0, 0), 10.0);
    EXPECT_DOUBLE_EQ(m.windowX(0.5f, 0, 0), 210.0);
    EXPECT_DOUBLE_EQ(m.windowY(0, -1.25f, 0), 20.0);
    EXPECT_DOUBLE_EQ(m.windowY(0, 0.75f, 0), 120.0);
    EXPECT_DOUBLE_EQ(m.windowX(0, 0, 7), m.windowX(0, 0, 0)) << "depth moves nothing here";
}

// A mapping of one unit per pixel column.
std::vector<unsigned> kept(const std::vector<float>& xy) {
    std::vector<unsigned> out;
    KeepColumnExtremes({xy.data(), 2, xy.size() / 2}, WindowMapping{}, out);
    return out;
}

TEST(KeepColumnExtremes, KeepsFirstLowestHighestLastOfEachColumnInOrder) {
    // Column 0: five points, highest at index 1 and lowest at 3; column 1: one point;
    // column 2: two points.
    const std::vector<float> xy = {0.1f, 5, 0.2f, 9, 0.3f, 6, 0.4f, 1,
                                   0.5f, 4, 1.5f, 3, 2.1f, 2, 2.9f, 8};
    EXPECT_EQ(kept(xy), (std::vector<unsigned>{0, 1, 3, 4, 5, 6, 7}));
}

TEST(KeepColumnExtremes, EachRunIsJudgedOnItsOwnAndNothingIsKeptTwice) {
    // The curve leaves column 0 and comes back: two runs, each kept whole here.
    EXPECT_EQ(kept({0.1f, 1, 1.2f, 1, 0.3f, 2}), (std::vector<unsigned>{0, 1, 2}));
    // A run within one pixel is kept whole: whether it lights the pixel is up to the
    // rasterizer's rounding of its tiny segments.
    EXPECT_EQ(kept({0.1f, 3.2f, 0.2f, 3.3f, 0.3f, 3.4f, 0.4f, 3.3f}),
              (std::vector<unsigned>{0, 1, 2, 3}));
    EXPECT_EQ(kept({0.5f, 3}), (std::vector<unsigned>{0}));
    EXPECT_TRUE(kept({}).empty());
    // Negative window x: column -1, not 0.
    EXPECT_EQ(kept({-0.5f, 1, -0.2f, 2, 0.2f, 9, 0.4f, 1}), (std::vector<unsigned>{0, 1, 2, 3}));
}

TEST(KeepColumnExtremes, KeepsAPointInsideTheDiamondOfAnExtremeRow) {
    // Column 0 spans rows 1 to 9. In the top row the highest point lies outside the
    // pixel's diamond, (0.5, 9.6) well inside it and (0.012, 9.5) at its very edge; in
    // the bottom row no point is inside.
    EXPECT_EQ(kept({0.02f, 5, 0.012f, 9.5f, 0.1f, 9.85f, 0.5f, 9.6f, 0.6f, 1, 0.9f, 4}),
              (std::vector<unsigned>{0, 2, 3, 4, 5}));
}

TEST(KeepColumnExtremes, ADenseCurveKeepsAFewPointsPerColumn) {
    std::vector<float> xy;
    for (int i = 0; i < 20000; ++i) {
        xy.push_back(i * 500.0f / 20000);
        xy.push_back(static_cast<float>((i * 7919) % 300));
    }
    const std::vector<unsigned> k = kept(xy);
    EXPECT_LE(k.size(), 500u * 6);
    EXPECT_GE(k.size(), 500u * 2);
    for (std::size_t i = 1; i < k.size(); ++i)
        ASSERT_LT(k[i - 1], k[i]) << "in order, each once";
}

TEST(KeepColumnExtremes, APointWithoutAPlaceIsKeptAndBreaksTheRun) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(kept({0.1f, 1, 0.2f, 2, 0.3f, 3, nan, 0, 0.4f, 1, 0.5f, inf, 0.6f, 2, 0.7f, 5}),
              (std::vector<unsigned>{0, 2, 3, 4, 5, 6, 7}));
}

TEST(KeepColumnExtremes, ReadsThreeCoordinatesWhenGiven) {
    // Window x taken from z alone.
    WindowMapping zToX;
    zToX.x[0] = 0;
    zToX.x[2] = 1;
    const std::vector<float> xyz = {9, 1, 0.1f, 9, 5, 0.2f, 9, 2, 0.3f, 9, 0, 1.5f};
    std::vector<unsigned> out;
    KeepColumnExtremes({xyz.data(), 3, 4}, zToX, out);
    EXPECT_EQ(out, (std::vector<unsigned>{0, 1, 2, 3}));
    KeepColumnExtremes({xyz.data(), 3, 3}, zToX, out);
    EXPECT_EQ(out, (std::vector<unsigned>{0, 1, 2}));
}

} // namespace
} // namespace tessaplot
