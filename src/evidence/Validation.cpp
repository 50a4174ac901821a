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

void ValidationAccumulator::add(double time, double measured, std::optional<double> model) {
    if (!model) {
        ++m_figures.outsideRun;
        return;
    }
    // Mean and spread of the differences in one pass (Welford): no second interpolation,
    // and no loss of digits when the bias is large beside the spread.
    const double difference = *model - measured;
    ++m_figures.counted;
    const double step = difference - m_mean;
    m_mean += step / m_figures.counted;
    m_spread += step * (difference - m_mean);
    m_sumOfSquares += difference * difference;
    if (std::abs(difference) > m_largest) {
        m_largest = std::abs(difference);
        m_largestAt = time;
    }
    if (m_tolerance && std::abs(difference) <= *m_tolerance)
        ++m_within;
}

ValidationFigures ValidationAccumulator::figures() const {
    ValidationFigures figures = m_figures;
    if (figures.counted == 0)
        return figures;
    const double n = figures.counted;
    figures.bias = m_mean;
    figures.rmse = std::sqrt(m_sumOfSquares / n);
    figures.largest = m_largest;
    figures.largestAt = m_largestAt;
    if (figures.counted > 1)
        figures.deviation = std::sqrt(m_spread / (n - 1.0));
    if (m_tolerance)
        figures.shareWithin = m_within / n;
    return figures;
}

void InterpolationAtTimes::add(double t, double v) {
    if (!m_seen) {
        // Times before the first record are outside the run.
        while (m_next < m_times.size() && m_times[m_next] < t)
            ++m_next;
        m_seen = true;
    }
    // Every time up to the last record was taken when it passed: those left are after it.
    for (; m_next < m_times.size() && m_times[m_next] <= t; ++m_next) {
        const double m = m_times[m_next];
        m_values[m_next] = m == t ? v : m_prevV + (v - m_prevV) * (m - m_prevT) / (t - m_prevT);
    }
    m_prevT = t;
    m_prevV = v;
}

ValidationFigures ComputeValidation(const CurveView& simulated, std::span<const double> times,
                                    std::span<const double> values, std::optional<double> tolerance,
                                    std::optional<TimeSpan> span) {
    ValidationAccumulator figures(tolerance);
    const std::size_t count = std::min(times.size(), values.size());
    for (std::size_t i = 0; i < count; ++i) {
        if (!span || span->holds(times[i]))
            figures.add(times[i], values[i], InterpolatedValue(simulated, times[i]));
    }
    return figures.figures();
}

} // namespace tessaplot
