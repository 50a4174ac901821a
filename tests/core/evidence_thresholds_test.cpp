#include "dataset/FieldPoint.h"
#include "evidence/Thresholds.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace tessaplot;

TEST(EvidenceThresholds, ReadsLimitsOnBodyQuantitiesAndSensations) {
    using C = Threshold::Comparison;
    using Source = EvidenceQuantity::Source;
    struct Case {
        const char* text;
        EvidenceQuantity quantity;
        C comparison;
        double value;
    };
    const Case good[] = {
        {"temperature of core>=38", {Source::Body, 1}, C::AtLeast, 38},
        {" Skin Wetness (-) > 0.3 ", {Source::Body, 2}, C::Above, 0.3},
        {"Comfort Value<=+20", {Source::Comfort, 2}, C::AtMost, 20},
        {"thermal sensation<1e1", {Source::Comfort, 0}, C::Below, 10},
    };
    for (const Case& c : good) {
        const ThresholdParse parse = ParseThreshold(c.text);
        ASSERT_TRUE(parse.threshold) << c.text << ": " << parse.problem;
        EXPECT_EQ(parse.threshold->quantity, c.quantity) << c.text;
        EXPECT_EQ(parse.threshold->comparison, c.comparison) << c.text;
        EXPECT_EQ(parse.threshold->value, c.value) << c.text;
    }
    const std::pair<const char*, const char*> bad[] = {
        {"temperature of core=38", "no comparison"},
        {"heart rate>100", "\"heart rate\" names no"},
        {"temperature of core>=hot", "not a number"},
        {"temperature of core>=", "not a number"},
        {"temperature of core>=38,5", "not a number"},
    };
    for (const auto& [text, says] : bad) {
        const ThresholdParse parse = ParseThreshold(text);
        EXPECT_FALSE(parse.threshold) << text;
        EXPECT_NE(parse.problem.find(says), std::string::npos) << text << ": " << parse.problem;
    }
}

TEST(EvidenceThresholds, CrossingTimesDurationsAndEntriesMatchHandWorkedCurves) {
    using P = std::vector<FieldPoint>;
    const P touches{{0, 0, 37}, {10, 0, 38}, {20, 0, 37.5}};
    const P crossesBetween{{0, 0, 37}, {10, 0, 38.5}, {20, 0, 39}, {30, 0, 37.5}};
    const P startsInside{{0, 0, 38.25}, {10, 0, 37.75}, {20, 0, 37.875}};
    const P several{{0, 0, 37}, {10, 0, 39}, {20, 0, 37}, {30, 0, 39}, {40, 0, 37}};
    const P dipsToLimit{{0, 0, 39}, {10, 0, 38}, {20, 0, 39}};
    const P step{{0, 0, 37}, {10, 0, 37}, {10, 0, 39}, {20, 0, 39}};

    const double none = NAN;
    struct Case {
        const char* what;
        const P& curve;
        const char* threshold;
        std::optional<TimeSpan> span;
        bool covered;
        double first, inside;
        int entries;
        bool startsInside;
    };
    const Case cases[] = {
        {"touch enters a closed region for no time",
         touches,
         "skin wetness>=38",
         {},
         true,
         10,
         0,
         1,
         false},
        {"touch does not enter an open region",
         touches,
         "skin wetness>38",
         {},
         true,
         none,
         0,
         0,
         false},
        {"crossings between records",
         crossesBetween,
         "skin wetness>=38",
         {},
         true,
         20.0 / 3,
         20,
         1,
         false},
        {"starts inside", startsInside, "skin wetness>=38", {}, true, 0, 5, 1, true},
        {"several crossings", several, "skin wetness>=38", {}, true, 5, 20, 2, false},
        {"several crossings, below", several, "skin wetness<37.5", {}, true, 0, 10, 3, true},
        {"dip to the limit, closed", dipsToLimit, "skin wetness>=38", {}, true, 0, 20, 1, true},
        {"dip to the limit, open", dipsToLimit, "skin wetness>38", {}, true, 0, 20, 2, true},
        {"a step at one time", step, "skin wetness>38", {}, true, 10, 10, 1, false},
        {"phase starting inside", several, "skin wetness>=38", TimeSpan{10, 30, false}, true, 10,
         10, 2, true},
        {"phase ending on a crossing", several, "skin wetness>=38", TimeSpan{0, 5, false}, true, 5,
         0, 1, false},
        {"phase partly beyond the run", several, "skin wetness>=38", TimeSpan{30, 60, true}, true,
         30, 5, 1, true},
        {"phase the run does not reach", several, "skin wetness>=38", TimeSpan{50, 60, true}, false,
         none, 0, 0, false},
        {"phase before the run", several, "skin wetness>=38", TimeSpan{-20, -10, true}, false, none,
         0, 0, false},
    };
    for (const Case& c : cases) {
        const Threshold threshold = *ParseThreshold(c.threshold).threshold;
        const CurveView curve(std::span<const FieldPoint>(c.curve), &FieldPoint::Time,
                              &FieldPoint::Value);
        const ThresholdFigures f = ComputeThresholdFigures(curve, threshold, c.span);
        EXPECT_EQ(f.covered, c.covered) << c.what;
        EXPECT_EQ(f.firstTime.has_value(), !std::isnan(c.first)) << c.what;
        if (f.firstTime) {
            EXPECT_NEAR(*f.firstTime, c.first, 1e-9) << c.what;
        }
        EXPECT_NEAR(f.timeInside, c.inside, 1e-9) << c.what;
        EXPECT_EQ(f.entries, c.entries) << c.what;
        EXPECT_EQ(f.startsInside, c.startsInside) << c.what;
    }
}
