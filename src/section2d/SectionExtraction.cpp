#include "section2d/SectionExtraction.h"

#include "text/GeneralForm.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <unordered_map>

namespace tessaplot {

int FindSectionStart(std::span<const FieldPoint> points, float sectionTime) {
    // Not "!(time < sectionTime)": a NaN time must find nothing rather than the first step.
    const auto found = std::find_if(points.begin(), points.end(),
                                    [sectionTime](const auto& p) { return p.Time >= sectionTime; });
    return static_cast<int>(found - points.begin());
}

Section ExtractTimeSection(std::span<const FieldPoint> points, float sectionTime,
                           int positionsPerStep) {
    Section section;
    section.kind = SectionKind::Time;
    section.start = FindSectionStart(points, sectionTime);
    const size_t wanted =
        static_cast<size_t>(positionsPerStep > 0 ? positionsPerStep : kDefaultPointsPerStep);
    const size_t start = static_cast<size_t>(section.start);
    const size_t end = start + std::min(wanted, points.size() - start);
    section.points.reserve(end - start);
    for (size_t i = start; i < end; ++i)
        section.points.push_back({points[i].Position, points[i].Value});
    return section;
}

Section ExtractPositionSection(std::span<const FieldPoint> points, std::string_view positionText,
                               std::string_view separator) {
    Section section;
    section.kind = SectionKind::Position;
    // The same few positions recur in every time step: write each distinct float's
    // text once instead of once per point.
    std::unordered_map<std::uint32_t, bool> matches;
    for (const FieldPoint& p : points) {
        const auto key = std::bit_cast<std::uint32_t>(p.Position);
        auto [it, inserted] = matches.try_emplace(key, false);
        if (inserted)
            it->second = PositionText(p.Position, separator) == positionText;
        if (it->second)
            section.points.push_back({p.Time, p.Value});
    }
    return section;
}

Section ExtractSection(const SectionRequest& request, std::span<const FieldPoint> points,
                       int positionsPerStep, std::string_view separator) {
    if (!request.converted) {
        Section empty;
        empty.kind = request.kind;
        return empty;
    }
    if (request.kind == SectionKind::Time)
        return ExtractTimeSection(points, request.sectionTime, positionsPerStep);
    return ExtractPositionSection(points, request.positionText, separator);
}

} // namespace tessaplot
