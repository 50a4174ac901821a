#include "compare/EvidenceGeometry.h"

#include <algorithm>
#include <cmath>

namespace tessaplot {

std::vector<MarkerPlace> PlaceMarkers(const MeasuredSeries& series, const PlotAxes& axes) {
    std::vector<MarkerPlace> places;
    places.reserve(series.times.size());
    for (std::size_t i = 0; i < series.times.size(); ++i) {
        const double x = axes.x(series.times[i]);
        if (!(x >= 0.0 && x <= 1.0))
            continue;
        MarkerPlace place;
        place.x = static_cast<float>(x);
        place.y = static_cast<float>(axes.y(series.values[i]));
        if (i < series.deviations.size() && std::isfinite(series.deviations[i])) {
            const double sd = std::abs(series.deviations[i]);
            place.whisker = true;
            place.low = static_cast<float>(std::max(0.0, axes.y(series.values[i] - sd)));
            place.high = static_cast<float>(std::min(1.0, axes.y(series.values[i] + sd)));
        }
        places.push_back(place);
    }
    return places;
}

std::vector<BandPlace> PlaceBands(std::span<const Phase> phases, const PlotAxes& axes) {
    std::vector<BandPlace> places;
    for (const Phase& phase : phases) {
        const double x0 = std::max(0.0, axes.x(phase.from));
        const double x1 = std::min(1.0, axes.x(phase.to));
        if (x1 > x0)
            places.push_back({static_cast<float>(x0), static_cast<float>(x1), phase.name});
    }
    return places;
}

void WidenValueRange(double& low, double& high, std::span<const MeasuredSeries* const> series,
                     std::span<const double> thresholdValues) {
    const auto take = [&](double v) {
        if (std::isfinite(v)) {
            low = std::min(low, v);
            high = std::max(high, v);
        }
    };
    for (const MeasuredSeries* s : series)
        for (std::size_t i = 0; i < s->values.size(); ++i) {
            const double sd = i < s->deviations.size() && std::isfinite(s->deviations[i])
                                  ? std::abs(s->deviations[i])
                                  : 0.0;
            take(s->values[i] - sd);
            take(s->values[i] + sd);
        }
    for (double v : thresholdValues)
        take(v);
}

} // namespace tessaplot
