#include "compare/DifferenceField.h"
#include "fieldview/ColorRamp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace tessaplot {
namespace {

// Records of `times` × `positions` (time steps of all positions), value = f(t, x).
template <class F>
std::vector<FieldPoint> grid(std::vector<float> times, std::vector<float> positions, F f) {
    std::vector<FieldPoint> points;
    for (float t : times)
        for (float x : positions)
            points.push_back({t, x, f(t, x)});
    return points;
}

float opened(float t, float x) {
    return 30.0f + 0.37f * t + 1.9f * x;
}

struct Case {
    std::string name;
    std::vector<FieldPoint> opened;
    int openedPerStep;
    std::vector<FieldPoint> compared;
    int comparedPerStep;
    // Expected records kept: time, position, difference.
    std::vector<FieldPoint> expected;
    int perStep;
    bool interpolated;
    bool partial;
};

std::vector<Case> cases() {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const auto plusHalf = [](float t, float x) { return opened(t, x) + 0.5f; };
    std::vector<Case> all;

    // The same grid: record by record, exactly.
    {
        Case c{"same grid", grid({0, 1, 2}, {0, 0.5f, 1}, opened),
               3,           grid({0, 1, 2}, {0, 0.5f, 1}, plusHalf),
               3,           {},
               3,           false,
               false};
        for (const FieldPoint& p : c.opened)
            c.expected.push_back({p.Time, p.Position, p.Value - (p.Value + 0.5f)});
        all.push_back(c);
    }
    // Times shifted by half a step: t = 0 lies before the compared run and is left
    // out; in between, hand-worked bilinear values of a compared run that is not linear.
    {
        const std::vector<FieldPoint> compared = {
            {0.5f, 0, 1}, {0.5f, 1, 3}, {1.5f, 0, 5}, {1.5f, 1, 11}};
        const auto ten = [](float, float) { return 10.0f; };
        Case c{"shifted times", grid({0, 1}, {0, 0.5f, 1}, ten), 3, compared, 2, {}, 3, true, true};
        // At t = 1: x = 0 (1+5)/2 = 3; x = 1 (3+11)/2 = 7; x = 0.5 (2+8)/2 = 5.
        c.expected = {{1, 0, 7}, {1, 0.5f, 5}, {1, 1, 3}};
        all.push_back(c);
    }
    // Fewer compared positions, the steps unsorted and one written twice (the later
    // counts): the linear compared field is met exactly between its nodes.
    {
        const auto linear = [](float t, float x) { return 2.0f * t + 4.0f * x; };
        std::vector<FieldPoint> compared = grid({2, 0}, {1, 0}, linear);
        const std::vector<FieldPoint> stale = grid({2}, {0, 1}, [](float, float) { return 99.0f; });
        compared.insert(compared.begin(), stale.begin(), stale.end());
        Case c{"fewer positions, unsorted, repeated",
               grid({0, 1, 2}, {0, 0.25f, 0.5f, 1}, linear),
               4,
               compared,
               2,
               {},
               4,
               true,
               false};
        for (const FieldPoint& p : c.opened)
            c.expected.push_back({p.Time, p.Position, 0.0f});
        all.push_back(c);
    }
    // Partial overlap: the compared run ends at x = 0.5 and t = 1; what lies beyond is
    // left out, whole positions at a time so that the steps stay whole.
    {
        Case c{"partial overlap",
               grid({0, 1, 2}, {0, 0.5f, 1}, opened),
               3,
               grid({0, 1}, {0, 0.5f}, plusHalf),
               2,
               {},
               2,
               false,
               true};
        for (const FieldPoint& p : grid({0, 1}, {0, 0.5f}, opened))
            c.expected.push_back({p.Time, p.Position, -0.5f});
        all.push_back(c);
    }
    // A single time step on both sides (no position recurs: 0 per step), positions
    // interpolated.
    {
        Case c{"single step",
               grid({5}, {0, 0.5f, 1}, opened),
               0,
               grid({5}, {0, 1}, [](float, float x) { return 2.0f * x; }),
               0,
               {},
               0,
               true,
               false};
        for (const FieldPoint& p : c.opened)
            c.expected.push_back({p.Time, p.Position, p.Value - 2.0f * p.Position});
        all.push_back(c);
    }
    // Nothing to compare with; nothing opened.
    all.push_back({"empty compared", grid({0, 1}, {0, 1}, opened), 2, {}, 0, {}, 2, false, true});
    all.push_back({"empty opened", {}, 0, grid({0}, {0}, opened), 0, {}, 0, false, false});
    // NaN: the difference is NaN there, the steps stay whole.
    {
        std::vector<FieldPoint> b = grid({0, 1}, {0, 1}, plusHalf);
        b[1].Value = nan;
        Case c{"nan", grid({0, 1}, {0, 1}, opened), 2, b, 2, {}, 2, false, false};
        for (const FieldPoint& p : c.opened)
            c.expected.push_back({p.Time, p.Position, -0.5f});
        c.expected[1].Value = nan;
        all.push_back(c);
    }
    return all;
}

TEST(DifferenceField, OpenedMinusComparedOverWhatBothCover) {
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.name);
        const DifferenceField d =
            MakeDifferenceField({c.opened, c.openedPerStep}, {c.compared, c.comparedPerStep});
        EXPECT_EQ(d.interpolated, c.interpolated);
        EXPECT_EQ(d.partial, c.partial);
        EXPECT_EQ(d.positionsPerStep, c.perStep);
        ASSERT_EQ(d.points.size(), c.expected.size());
        ASSERT_EQ(d.comparedValues.size(), d.points.size());
        float low = 0, high = 0;
        bool any = false;
        for (std::size_t i = 0; i < d.points.size(); ++i) {
            const FieldPoint& e = c.expected[i];
            EXPECT_EQ(d.points[i].Time, e.Time) << i;
            EXPECT_EQ(d.points[i].Position, e.Position) << i;
            if (std::isnan(e.Value)) {
                EXPECT_TRUE(std::isnan(d.points[i].Value)) << i;
                continue;
            }
            EXPECT_NEAR(d.points[i].Value, e.Value, 2e-6f * (1 + std::fabs(d.openedValues[i])))
                << i;
            EXPECT_EQ(d.openedValues[i] - d.comparedValues[i], d.points[i].Value) << i;
            low = any ? std::min(low, d.points[i].Value) : d.points[i].Value;
            high = any ? std::max(high, d.points[i].Value) : d.points[i].Value;
            any = true;
        }
        if (c.name == "same grid") {
            // -0.5 everywhere up to the rounding of 30-odd degrees: one value.
            EXPECT_LT(low, high);
            EXPECT_EQ(d.ValueMin, d.ValueMax);
            EXPECT_NEAR(d.ValueMin, -0.5f, 1e-5f);
            continue;
        }
        EXPECT_EQ(d.ValueMin, low);
        EXPECT_EQ(d.ValueMax, high);
        EXPECT_GT(d.ValueSpan, 0.0f);
    }
}

TEST(DifferenceField, DivergingRampIsWhiteAtZeroAndKeepsItsEnds) {
    ColorRamp ramp = MakeColorRamp(0xFF0000u, 0x0000FFu); // blue to red
    ramp.whiteAt = 0.25f;
    const auto expectColour = [&](float s, RampColor c) {
        const RampColor got = ramp.at(s);
        EXPECT_NEAR(got.r, c.r, 1e-6f) << s;
        EXPECT_NEAR(got.g, c.g, 1e-6f) << s;
        EXPECT_NEAR(got.b, c.b, 1e-6f) << s;
    };
    expectColour(0.0f, {0, 0, 1});
    expectColour(0.25f, {1, 1, 1});
    expectColour(0.125f, {0.5f, 0.5f, 1});
    expectColour(1.0f, {1, 0, 0});
    expectColour(0.625f, {1, 0.5f, 0.5f});
    // All differences above zero: the ramp starts part way from white.
    ramp.whiteAt = -1.0f;
    expectColour(0.0f, {1, 0.5f, 0.5f});
    ramp.whiteAt = 2.0f;
    expectColour(1.0f, {0.5f, 0.5f, 1});
    // Zero at either end of the range (no difference above it, or none below) is white.
    for (const float end : {0.0f, 1.0f}) {
        ramp.whiteAt = end;
        expectColour(end, {1, 1, 1});
        expectColour(1.0f - end, end == 0.0f ? RampColor{1, 0, 0} : RampColor{0, 0, 1});
    }
}

} // namespace
} // namespace tessaplot
