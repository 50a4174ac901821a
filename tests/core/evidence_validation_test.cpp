#include "dataset/FieldPoint.h"
#include "evidence/MeasuredTable.h"
#include "evidence/Validation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace tessaplot;

namespace {

// Records at 0, 10, 20, 30 min; the measured points fall before, on, between and after them.
const std::vector<FieldPoint> records{{0, 0, 10}, {10, 0, 12}, {20, 0, 11}, {30, 0, 15}};

CurveView curve() {
    return CurveView(std::span<const FieldPoint>(records), &FieldPoint::Time, &FieldPoint::Value);
}

// Simulated there: (outside), 10, 12, 11.5, 13, 15, (outside).
// Differences:                -0.5, 0.5, 0.5, -1,  1.
const char* measuredFile = "Time,skin wetness,skin wetness SD\n"
                           "-5,9,0.4\n0,10.5,0.4\n10,11.5,\n15,11,0.2\n25,14,0.3\n30,14,0.3\n"
                           "35,15,0.3\n";

} // namespace

TEST(EvidenceValidation, FiguresOverWholeRunAndSpansAgreeWithHandWorkedDifferences) {
    const MeasuredTable withSd = ParseMeasuredTable(measuredFile);
    // The same points without their deviations give the same figures.
    const MeasuredTable withoutSd = ParseMeasuredTable(
        "Time,skin wetness\n-5,9\n0,10.5\n10,11.5\n15,11\n25,14\n30,14\n35,15\n");
    ASSERT_TRUE(withSd.ok() && withoutSd.ok());

    const double none = NAN;
    struct Case {
        const char* what;
        std::optional<TimeSpan> span;
        std::optional<double> tolerance;
        int counted, outside;
        double bias, deviation, rmse, largest, largestAt, share;
    };
    const Case cases[] = {
        {"whole run", std::nullopt, 0.5, 5, 2, 0.1, std::sqrt(2.7 / 4), std::sqrt(2.75 / 5), 1.0,
         25, 0.6},
        {"no tolerance", std::nullopt, std::nullopt, 5, 2, 0.1, std::sqrt(2.7 / 4),
         std::sqrt(2.75 / 5), 1.0, 25, none},
        {"phase ending where the next begins", TimeSpan{0, 15, false}, 0.4, 2, 0, 0.0,
         std::sqrt(0.5), 0.5, 0.5, 0, 0.0},
        {"last phase, beyond the run", TimeSpan{20, 40, true}, 1.0, 2, 1, 0.0, std::sqrt(2.0), 1.0,
         1.0, 25, 1.0},
        {"one point", TimeSpan{12, 20, true}, std::nullopt, 1, 0, 0.5, none, 0.5, 0.5, 15, none},
    };
    for (const MeasuredTable* table : {&withSd, &withoutSd}) {
        const MeasuredSeries& series = table->series.at(0);
        for (const Case& c : cases) {
            const ValidationFigures f =
                ComputeValidation(curve(), series.times, series.values, c.tolerance, c.span);
            EXPECT_EQ(f.counted, c.counted) << c.what;
            EXPECT_EQ(f.outsideRun, c.outside) << c.what;
            EXPECT_NEAR(f.bias.value(), c.bias, 1e-12) << c.what;
            EXPECT_NEAR(f.rmse.value(), c.rmse, 1e-12) << c.what;
            EXPECT_NEAR(f.largest.value(), c.largest, 1e-12) << c.what;
            EXPECT_EQ(f.largestAt.value(), c.largestAt) << c.what;
            EXPECT_EQ(f.deviation.has_value(), !std::isnan(c.deviation)) << c.what;
            if (f.deviation) {
                EXPECT_NEAR(*f.deviation, c.deviation, 1e-12) << c.what;
            }
            EXPECT_EQ(f.shareWithin.has_value(), !std::isnan(c.share)) << c.what;
            if (f.shareWithin) {
                EXPECT_NEAR(*f.shareWithin, c.share, 1e-12) << c.what;
            }
        }
    }

    // Nothing to compare is no figure at all, never a bias of 0.
    const MeasuredSeries& series = withSd.series.at(0);
    for (const TimeSpan span : {TimeSpan{100, 200, true}, TimeSpan{-10, -1, true}}) {
        const ValidationFigures f =
            ComputeValidation(curve(), series.times, series.values, 0.5, span);
        EXPECT_EQ(f.counted, 0);
        EXPECT_FALSE(f.bias || f.deviation || f.rmse || f.largest || f.shareWithin);
    }
    EXPECT_EQ(ComputeValidation(CurveView(), series.times, series.values).outsideRun, 7);
}
