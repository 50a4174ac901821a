#include "comfort/ComfortChartGeometry.h"
#include "comfort/SensationBands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessaplot {
namespace {

using Q = ComfortQuantity;

std::vector<std::string> textsOf(const std::array<ChartText, 6>& ticks) {
    std::vector<std::string> texts;
    for (const auto& tick : ticks)
        texts.push_back(tick.text);
    return texts;
}

TEST(ComfortChart, StripesFollowTheBands) {
    for (const Q q : {Q::ThermalSensation, Q::DampnessSensation, Q::ComfortValue}) {
        const auto stripes = ComfortChartStripes(q);
        const auto bands = SensationBandsOf(q);
        ASSERT_EQ(stripes.size(), bands.size());
        EXPECT_EQ(stripes.front().y0, 0.0f);
        EXPECT_EQ(stripes.back().y1, 1.0f);
        for (size_t i = 0; i < stripes.size(); ++i) {
            EXPECT_EQ(stripes[i].name, bands[i].name);
            if (i + 1 < stripes.size()) {
                EXPECT_EQ(stripes[i].y1, bands[i].upperBound / 100.0f) << bands[i].name;
                EXPECT_EQ(stripes[i + 1].y0, stripes[i].y1);
            }
        }
    }
    // Dampness runs from red (dry) to blue (very damp).
    const auto damp = ComfortChartStripes(Q::DampnessSensation);
    EXPECT_EQ(damp.front().bottom.red, 1.0f);
    EXPECT_EQ(damp.back().top.blue, 1.0f);
    EXPECT_EQ(damp.back().top.red, 0.0f);
    EXPECT_EQ(ComfortChartTitle(Q::DampnessSensation), "Dampness Sensation");
}

TEST(ComfortChart, TickTexts) {
    using Texts = std::vector<std::string>;
    EXPECT_EQ(textsOf(ComfortTimeTicks(60.0f)), (Texts{"0", "12", "24", "36", "48", "60"}));
    EXPECT_EQ(textsOf(ComfortTimeTicks(45.5f)),
              (Texts{"0", "9.1", "18.2", "27.3", "36.4", "45.5"}));
    EXPECT_EQ(textsOf(ComfortTimeTicks(45.5f, ",")),
              (Texts{"0", "9,1", "18,2", "27,3", "36,4", "45,5"}));
    EXPECT_EQ(textsOf(ComfortTimeTicks(0.0f)), (Texts{"0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(textsOf(ComfortValueTicks()), (Texts{"0", "20", "40", "60", "80", "100"}));
    EXPECT_FLOAT_EQ(ComfortTimeTicks(60.0f)[5].x, 1.0f);
    EXPECT_FLOAT_EQ(ComfortValueTicks()[5].y, 1.0f);
}

TEST(ComfortChart, CurvePointsAndClamps) {
    const std::vector<ComfortRecord> records = {
        {0.0f, 50.0f, 0.0f, 0.0f},   {30.0f, 120.0f, 0.0f, 0.0f}, {45.0f, 100.0f, 0.0f, 0.0f},
        {50.0f, -10.0f, 0.0f, 0.0f}, {60.0f, 99.0f, 0.0f, 0.0f},
    };
    std::vector<ChartPoint> points;
    BuildComfortCurve(records, 60.0f, Q::ThermalSensation, points);
    ASSERT_EQ(points.size(), 5u);
    EXPECT_FLOAT_EQ(points[0].x, 0.0f);
    EXPECT_FLOAT_EQ(points[0].y, 0.5f);
    EXPECT_FLOAT_EQ(points[1].x, 0.5f);
    EXPECT_FLOAT_EQ(points[1].y, 0.984f);
    EXPECT_FLOAT_EQ(points[2].y, 0.984f);
    EXPECT_FLOAT_EQ(points[3].y, -0.1f); // no lower clamp
    EXPECT_FLOAT_EQ(points[4].x, 0.99f); // the last record is not drawn at the edge
    EXPECT_FLOAT_EQ(points[4].y, 0.99f);

    // No time scale (one record at time 0): every point at x = 0, never NaN.
    BuildComfortCurve(std::span(records).first(1), 0.0f, Q::ThermalSensation, points);
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].x, 0.0f);

    BuildComfortCurve({}, 0.0f, Q::ComfortValue, points);
    EXPECT_TRUE(points.empty());
}

} // namespace
} // namespace tessaplot
