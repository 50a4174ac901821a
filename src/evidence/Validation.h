#pragma once

#include "evidence/CurveView.h"
#include "evidence/TimeSpan.h"

#include <optional>
#include <span>
#include <vector>

namespace tessaplot {

// How well a run's curve agrees with one measured series, as the papers of the field give
// it. A difference is simulated minus measured, the simulated value at a measured time
// interpolated linearly between the two records around it (a time on a record takes that
// record). Measured points before the first or after the last record are not compared:
// `outsideRun` counts them, so a figure over few points says so.
struct ValidationFigures {
    int counted = 0;    // measured points compared
    int outsideRun = 0; // measured points in the span but outside the run's time range
    // None when no point was compared; `deviation` also with one point only.
    std::optional<double> bias;      // mean difference
    std::optional<double> deviation; // sample standard deviation of the differences (n - 1)
    std::optional<double> rmse;      // root of the mean squared difference
    std::optional<double> largest;   // largest absolute difference ...
    std::optional<double> largestAt; // ... and the measured time it is at (the first such)
    // Share (0..1) of compared points whose absolute difference is at most the tolerance;
    // none when no tolerance is given or no point was compared.
    std::optional<double> shareWithin;
};

// The simulated value at `t`, or none outside the curve's time range.
std::optional<double> InterpolatedValue(const CurveView& curve, double t);

// The figures of differences taken one measured point at a time: what ComputeValidation
// and the figures of a curve read record by record share.
class ValidationAccumulator {
public:
    explicit ValidationAccumulator(std::optional<double> tolerance = std::nullopt)
        : m_tolerance(tolerance) {}
    // A measured point at `time`, and the simulated value there (none outside the run).
    void add(double time, double measured, std::optional<double> model);
    ValidationFigures figures() const;

private:
    std::optional<double> m_tolerance;
    ValidationFigures m_figures;
    double m_mean = 0.0, m_spread = 0.0, m_sumOfSquares = 0.0, m_largest = -1.0, m_largestAt = 0.0;
    int m_within = 0;
};

// The simulated values at measured times (never decreasing) of a curve whose records are
// handed over one at a time, as InterpolatedValue gives them from the whole curve.
class InterpolationAtTimes {
public:
    explicit InterpolationAtTimes(std::span<const double> times)
        : m_times(times), m_values(times.size()) {}
    void add(double t, double v);
    // One per measured time; none for those outside the records handed so far.
    std::span<const std::optional<double>> values() const { return m_values; }

private:
    std::span<const double> m_times;
    std::vector<std::optional<double>> m_values;
    std::size_t m_next = 0; // the first time not yet passed by the records
    bool m_seen = false;
    double m_prevT = 0.0, m_prevV = 0.0;
};

// Over the measured points in `span` (every point when none is given). The measured
// standard deviations do not enter the figures: they describe the measurement's spread,
// not the model's error.
ValidationFigures ComputeValidation(const CurveView& simulated, std::span<const double> times,
                                    std::span<const double> values,
                                    std::optional<double> tolerance = std::nullopt,
                                    std::optional<TimeSpan> span = std::nullopt);

} // namespace tessaplot
