// The figures of a curve handed over record by record, as the summary reads a table,
// are those the core gives from the whole curve: thresholds over every span and the
// simulated values at measured times.
#include "dataset/FieldPoint.h"
#include "evidence/ThresholdAccumulator.h"
#include "evidence/Validation.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace tessaplot;

namespace {

using Curve = std::vector<FieldPoint>;

CurveView viewOf(const Curve& curve) {
    return CurveView(std::span<const FieldPoint>(curve), &FieldPoint::Time, &FieldPoint::Value);
}

// Hand-made curves with touches, steps and crossings on records, and random ones whose
// values and times lie on a coarse grid, so that records repeat times and sit on limits.
std::vector<Curve> curves() {
    std::vector<Curve> all{
        {{0, 0, 37}, {10, 0, 38}, {20, 0, 37.5}},
        {{0, 0, 38.25}, {10, 0, 37.75}, {20, 0, 37.875}},
        {{0, 0, 37}, {10, 0, 39}, {20, 0, 37}, {30, 0, 39}, {40, 0, 37}},
        {{0, 0, 37}, {10, 0, 37}, {10, 0, 39}, {10, 0, 36}, {10, 0, 38}, {20, 0, 39}},
        {{5, 0, 38}},
        {{5, 0, 38}, {5, 0, 36}},
        {},
    };
    std::mt19937 random(7);
    for (int c = 0; c < 40; ++c) {
        Curve curve;
        float t = static_cast<float>(static_cast<int>(random() % 5) * 5);
        const int records = 1 + static_cast<int>(random() % 12);
        for (int i = 0; i < records; ++i) {
            curve.push_back({t, 0, 36.0f + static_cast<float>(random() % 9) * 0.5f});
            t += static_cast<float>(random() % 3) * 5.0f; // 0: a repeated time
        }
        all.push_back(curve);
    }
    return all;
}

} // namespace

TEST(EvidenceStreamedFigures, ThresholdsRecordByRecordEqualTheWholeCurvesOverEverySpan) {
    const char* limits[] = {"skin wetness>=38", "skin wetness>38", "skin wetness<=37",
                            "skin wetness<38"};
    // Spans on records, between them, beyond both ends, one point wide, and none.
    std::vector<std::optional<TimeSpan>> spans{std::nullopt};
    for (double from : {-10.0, 0.0, 2.5, 10.0, 20.0, 33.0})
        for (double length : {0.0, 5.0, 12.5, 100.0})
            for (bool closed : {true, false})
                spans.push_back(TimeSpan{from, from + length, closed});
    int compared = 0;
    for (const Curve& curve : curves()) {
        for (const char* limit : limits) {
            const Threshold threshold = *ParseThreshold(limit).threshold;
            for (const std::optional<TimeSpan>& span : spans) {
                ThresholdAccumulator streamed(threshold, span);
                for (const FieldPoint& record : curve)
                    streamed.add(record.Time, record.Value);
                const ThresholdFigures s = streamed.figures();
                const ThresholdFigures w = ComputeThresholdFigures(viewOf(curve), threshold, span);
                const std::string where =
                    std::string(limit) + " over " +
                    (span ? std::to_string(span->from) + "-" + std::to_string(span->to)
                          : std::string("the whole")) +
                    ", curve of " + std::to_string(curve.size()) + " records, first at " +
                    (curve.empty() ? std::string("-") : std::to_string(curve.front().Time));
                EXPECT_EQ(s.covered, w.covered) << where;
                EXPECT_EQ(s.firstTime, w.firstTime) << where;
                EXPECT_EQ(s.timeInside, w.timeInside) << where;
                EXPECT_EQ(s.entries, w.entries) << where;
                EXPECT_EQ(s.startsInside, w.startsInside) << where;
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 7000);
}

TEST(EvidenceStreamedFigures, ValuesAtMeasuredTimesAndTheirFiguresEqualTheWholeCurves) {
    // Before the first record, on records, between them, repeated, after the last.
    const std::vector<double> times{-5, 0, 0, 2.5, 5, 7.5, 10, 10, 12, 17.5, 25, 40, 41, 60};
    std::vector<double> measured;
    for (std::size_t i = 0; i < times.size(); ++i)
        measured.push_back(37.0 + 0.1 * static_cast<double>(i % 4));
    for (const Curve& curve : curves()) {
        InterpolationAtTimes streamed(times);
        for (const FieldPoint& record : curve)
            streamed.add(record.Time, record.Value);
        const CurveView view = viewOf(curve);
        ASSERT_EQ(streamed.values().size(), times.size());
        for (std::size_t i = 0; i < times.size(); ++i)
            EXPECT_EQ(streamed.values()[i], InterpolatedValue(view, times[i])) << times[i];

        for (const std::optional<TimeSpan>& span :
             {std::optional<TimeSpan>(), std::optional(TimeSpan{0, 10, false})}) {
            ValidationAccumulator figures(0.25);
            for (std::size_t i = 0; i < times.size(); ++i)
                if (!span || span->holds(times[i]))
                    figures.add(times[i], measured[i], streamed.values()[i]);
            const ValidationFigures s = figures.figures();
            const ValidationFigures w = ComputeValidation(view, times, measured, 0.25, span);
            EXPECT_EQ(s.counted, w.counted);
            EXPECT_EQ(s.outsideRun, w.outsideRun);
            EXPECT_EQ(s.bias, w.bias);
            EXPECT_EQ(s.deviation, w.deviation);
            EXPECT_EQ(s.rmse, w.rmse);
            EXPECT_EQ(s.largest, w.largest);
            EXPECT_EQ(s.shareWithin, w.shareWithin);
        }
    }
}
