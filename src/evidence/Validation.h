#pragma once

#include "evidence/CurveView.h"
#include "evidence/TimeSpan.h"

#include <optional>
#include <span>

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

// Over the measured points in `span` (every point when none is given). The measured
// standard deviations do not enter the figures: they describe the measurement's spread,
// not the model's error.
ValidationFigures ComputeValidation(const CurveView& simulated, std::span<const double> times,
                                    std::span<const double> values,
                                    std::optional<double> tolerance = std::nullopt,
                                    std::optional<TimeSpan> span = std::nullopt);

} // namespace tessaplot
