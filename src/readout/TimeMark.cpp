#include "readout/TimeMark.h"

#include "comfort/ComfortChartGeometry.h"
#include "fieldview/TickLabels.h"
#include "section2d/SectionExtraction.h"
#include "section2d/SectionPlot.h"
#include "text/FormatPattern.h"

#include <algorithm>
#include <cmath>

namespace tessaplot {

namespace {

std::optional<float> axisFraction(const TimeAxis& axis, float t) {
    if (!(axis.span > 0.0f) || !std::isfinite(t))
        return std::nullopt;
    const float f = (t - axis.min) / axis.span;
    if (!(f >= 0.0f && f <= 1.0f))
        return std::nullopt;
    return f;
}

} // namespace

std::optional<MarkSegment> TimeMarkSegment(const TimeAxis& axis, float t) {
    const std::optional<float> f = axisFraction(axis, t);
    if (!f)
        return std::nullopt;
    switch (axis.kind) {
    case TimeAxisKind::Mesh:
        return MarkSegment{0.0f, *f, 0.0f, 1.0f, *f, 0.0f};
    case TimeAxisKind::Curve:
        return MarkSegment{*f, 0.0f, 0.0f, *f, 1.0f, 0.0f};
    case TimeAxisKind::PositionSection: {
        const float x = *f + kSectionFrameOrigin[0];
        return MarkSegment{x, kSectionFrameOrigin[1], 0.0f, x, kSectionFrameOrigin[1] + 1.0f, 0.0f};
    }
    }
    return std::nullopt;
}

std::vector<MarkPoint> MeshProfileAt(std::span<const FieldPoint> points, int positionsPerStep,
                                     const FieldExtents& extents, float t) {
    std::vector<MarkPoint> profile;
    const Section section = ExtractTimeSection(points, t, positionsPerStep);
    // A short last step is not part of the mesh either.
    const std::size_t perStep =
        static_cast<std::size_t>(positionsPerStep > 0 ? positionsPerStep : kDefaultPointsPerStep);
    if (section.points.size() < perStep)
        return profile;
    const float y =
        (points[static_cast<std::size_t>(section.start)].Time - extents.TimeMin) / extents.TimeSpan;
    for (const SectionPoint& p : section.points)
        profile.push_back({(p.x - extents.PositionMin) / extents.PositionSpan, y,
                           (p.y - extents.ValueMin) / extents.ValueSpan});
    return profile;
}

std::optional<float> TimeAtWindowPoint(const TimeAxis& axis, const WindowMapping& mapping,
                                       double windowX, double windowY) {
    if (!(axis.span > 0.0f))
        return std::nullopt;
    // The window point as a point of the plane z = 0: two equations in px and py.
    const double a = mapping.x[0], b = mapping.x[1], c = mapping.y[0], d = mapping.y[1];
    const double det = a * d - b * c;
    // Less than a hundredth of a pixel per unit squared: the plane is seen edge-on.
    if (!(std::abs(det) > 1e-2))
        return std::nullopt;
    const double rx = windowX - mapping.x[3], ry = windowY - mapping.y[3];
    const double px = (d * rx - b * ry) / det;
    const double py = (a * ry - c * rx) / det;
    double f = 0.0;
    switch (axis.kind) {
    case TimeAxisKind::Mesh:
        if (!(px >= 0.0 && px <= 1.0))
            return std::nullopt;
        f = py;
        break;
    case TimeAxisKind::Curve:
        f = px;
        break;
    case TimeAxisKind::PositionSection:
        f = px - kSectionFrameOrigin[0];
        break;
    }
    if (!(f >= 0.0 && f <= 1.0))
        return std::nullopt;
    return static_cast<float>(axis.min + f * axis.span);
}

std::size_t FirstPointAtOrAfter(std::span<const FieldPoint> points, float t) {
    const auto at = std::find_if(points.begin(), points.end(),
                                 [t](const FieldPoint& p) { return !(p.Time < t); });
    return static_cast<std::size_t>(at - points.begin());
}

std::size_t FirstComfortAtOrAfter(std::span<const ComfortRecord> records, float t) {
    const auto at = std::find_if(records.begin(), records.end(),
                                 [t](const ComfortRecord& r) { return !(r.Time < t); });
    return static_cast<std::size_t>(at - records.begin());
}

std::vector<SensationAt> SensationsAt(std::span<const ComfortRecord> records, float t) {
    std::vector<SensationAt> sensations;
    const std::size_t at = FirstComfortAtOrAfter(records, t);
    if (at == records.size())
        return sensations;
    for (const ComfortQuantity quantity :
         {ComfortQuantity::ThermalSensation, ComfortQuantity::DampnessSensation,
          ComfortQuantity::ComfortValue}) {
        const float value = QuantityValue(records[at], quantity);
        const auto bands = SensationBandsOf(quantity);
        const int band = SensationBandIndex(quantity, value);
        sensations.push_back({ComfortChartTitle(quantity), records[at].Time, value,
                              bands[static_cast<std::size_t>(band)].name});
    }
    return sensations;
}

std::string MarkTimeText(float time, std::string_view separator) {
    return FormatWithPattern(time, kTimeTickPattern, separator);
}

std::string MarkPositionText(float position, std::string_view separator) {
    return FormatWithPattern(position, kPositionTickPattern, separator);
}

} // namespace tessaplot
