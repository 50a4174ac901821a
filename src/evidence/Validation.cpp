#include "evidence/Validation.h"

#include <algorithm>
#include <cmath>

namespace tessaplot {

std::optional<double> InterpolatedValue(const CurveView& curve, double t) {
    if (curve.empty() || t < curve.time(0) || t > curve.time(curve.size() - 1))
        return std::nullopt;
    const std::size_t after = FirstRecordAtOrAfter(curve, t);
    if (curve.time(after) == t || after == 0)
        return curve.value(after);
    const double t0 = curve.time(after - 1), t1 = curve.time(after);
    const double v0 = curve.value(after - 1), v1 = curve.value(after);
    return v0 + (v1 - v0) * (t - t0) / (t1 - t0);
}

ValidationFigures ComputeValidation(const CurveView& simulated, std::span<const double> times,
                                    std::span<const double> values, std::optional<double> tolerance,
                                    std::optional<TimeSpan> span) {
    ValidationFigures figures;
    // Mean and spread of the differences in one pass (Welford): no second interpolation,
    // and no loss of digits when the bias is large beside the spread.
    double mean = 0.0, spread = 0.0, sumOfSquares = 0.0, largest = -1.0, largestAt = 0.0;
    int within = 0;
    const std::size_t count = std::min(times.size(), values.size());
    for (std::size_t i = 0; i < count; ++i) {
        if (span && !span->holds(times[i]))
            continue;
        const std::optional<double> model = InterpolatedValue(simulated, times[i]);
        if (!model) {
            ++figures.outsideRun;
            continue;
        }
        const double difference = *model - values[i];
        ++figures.counted;
        const double step = difference - mean;
        mean += step / figures.counted;
        spread += step * (difference - mean);
        sumOfSquares += difference * difference;
        if (std::abs(difference) > largest) {
            largest = std::abs(difference);
            largestAt = times[i];
        }
        if (tolerance && std::abs(difference) <= *tolerance)
            ++within;
    }
    if (figures.counted == 0)
        return figures;

    const double n = figures.counted;
    figures.bias = mean;
    figures.rmse = std::sqrt(sumOfSquares / n);
    figures.largest = largest;
    figures.largestAt = largestAt;
    if (figures.counted > 1)
        figures.deviation = std::sqrt(spread / (n - 1.0));
    if (tolerance)
        figures.shareWithin = within / n;
    return figures;
}

} // namespace tessaplot
