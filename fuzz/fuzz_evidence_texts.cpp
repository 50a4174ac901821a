#include "FuzzInput.h"
#include "dataset/FieldPoint.h"
#include "evidence/MeasuredTable.h"
#include "evidence/Phases.h"
#include "evidence/Thresholds.h"
#include "evidence/Validation.h"

#include <cmath>
#include <cstdlib>
#include <vector>

// Measured tables, phase lists and thresholds as a user types or a spreadsheet writes
// them: whatever is accepted keeps its promises, and the figures over it stay finite.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tessaplot;
    FuzzInput input(data, size);
    const int what = input.pick(0, 2);
    static const std::vector<FieldPoint> records{
        {0, 0, 36.8f}, {10, 0, 37.4f}, {10, 0, 38.2f}, {20, 0, 38.0f}, {30, 0, 37.1f}};
    const CurveView curve(std::span<const FieldPoint>(records), &FieldPoint::Time,
                          &FieldPoint::Value);
    if (what == 0) {
        const MeasuredTable table = ParseMeasuredTable(input.rest());
        if (!table.ok() && (!table.series.empty() || table.problem.line < 0))
            std::abort();
        for (const MeasuredSeries& series : table.series) {
            if (series.values.size() != series.times.size() ||
                (series.deviationColumn > 0 && series.deviations.size() != series.times.size()))
                std::abort();
            for (std::size_t i = 1; i < series.times.size(); ++i)
                if (series.times[i] < series.times[i - 1])
                    std::abort();
            const ValidationFigures f = ComputeValidation(curve, series.times, series.values, 0.3);
            if (f.counted + f.outsideRun != static_cast<int>(series.times.size()) ||
                (f.rmse && !std::isfinite(*f.rmse) && std::isfinite(*f.bias)))
                std::abort();
        }
    } else if (what == 1) {
        const PhaseList list = ParsePhases(input.rest());
        for (std::size_t i = 0; i < list.phases.size(); ++i) {
            if (!(list.phases[i].from < list.phases[i].to) ||
                (i > 0 && list.phases[i].from < list.phases[i - 1].to))
                std::abort();
            const ThresholdFigures f = ComputeThresholdFigures(
                curve, *ParseThreshold("skin wetness>=37.5").threshold, PhaseSpan(list.phases, i));
            if (f.timeInside < 0 || f.entries < 0)
                std::abort();
        }
    } else {
        const ThresholdParse parse = ParseThreshold(input.rest());
        if (parse.threshold) {
            const ThresholdFigures f = ComputeThresholdFigures(curve, *parse.threshold);
            if (f.timeInside < 0 || f.timeInside > 30 || (f.entries > 0) != f.firstTime.has_value())
                std::abort();
        }
    }
    return 0;
}
