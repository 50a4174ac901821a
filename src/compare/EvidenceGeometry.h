#pragma once

#include "evidence/MeasuredTable.h"
#include "evidence/Phases.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tessaplot {

// Where a picture puts time and value: x = (t - timeMin) / timeSpan, y = (v - valueMin) /
// valueSpan, the plot area being the unit square.
struct PlotAxes {
    double timeMin = 0.0, timeSpan = 1.0, valueMin = 0.0, valueSpan = 1.0;
    double x(double t) const { return (t - timeMin) / timeSpan; }
    double y(double v) const { return (v - valueMin) / valueSpan; }
};

// A measured point as a marker with its whisker (value ± its standard deviation), in
// plot units. Points outside the time axis are not placed; a whisker is cut at the plot.
struct MarkerPlace {
    float x = 0, y = 0;
    bool whisker = false;
    float low = 0, high = 0;
};
std::vector<MarkerPlace> PlaceMarkers(const MeasuredSeries& series, const PlotAxes& axes);

// A phase as a band across the plot's height, cut at its time axis; phases outside it are
// not placed.
struct BandPlace {
    float x0 = 0, x1 = 0;
    std::string name;
};
std::vector<BandPlace> PlaceBands(std::span<const Phase> phases, const PlotAxes& axes);

// The value range [low, high] widened so that every measured value (± its deviation) and
// every threshold value lies in it; unchanged when none is outside.
void WidenValueRange(double& low, double& high, std::span<const MeasuredSeries* const> series,
                     std::span<const double> thresholdValues);

} // namespace tessaplot
