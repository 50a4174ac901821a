#include "compare/OverlayGeometry.h"

#include <algorithm>
#include <cmath>

namespace tessaplot {

CurveBounds BoundsOf(const FieldLoad& load) {
    if (!load.opened || load.PointCount <= 0)
        return {};
    return {std::min(load.TimeMin, load.TimeMax), std::max(load.TimeMin, load.TimeMax),
            load.ValueMin, load.ValueMax, true};
}

CurveBounds SpanBounds(const CurveBounds& a, const CurveBounds& b) {
    if (!a.any)
        return b;
    if (!b.any)
        return a;
    return {std::min(a.timeMin, b.timeMin), std::max(a.timeMax, b.timeMax),
            std::min(a.valueMin, b.valueMin), std::max(a.valueMax, b.valueMax), true};
}

float AxisSpan(float min, float max) {
    const float span = max - min;
    return span > 0.0f ? span : 1.0f;
}

float SharedEndTime(std::span<const float> endTimes) {
    float end = 0.0f;
    for (float time : endTimes)
        if (std::isfinite(time))
            end = std::max(end, time);
    return end;
}

Section CutLikeOpened(const SectionRequest& request, float shownTime,
                      std::span<const FieldPoint> records, int positionsPerStep,
                      std::string_view separator) {
    if (!request.converted || request.kind == SectionKind::Position)
        return ExtractSection(request, records, positionsPerStep, separator);
    Section section = ExtractTimeSection(records, shownTime, positionsPerStep);
    const auto start = static_cast<std::size_t>(section.start);
    if (start >= records.size() || records[start].Time != shownTime)
        section.points.clear();
    return section;
}

SectionExtents SpanSectionExtents(const SectionExtents& extents, SectionKind kind,
                                  const FieldLoad& load) {
    if (!load.opened || load.PointCount <= 0)
        return extents;
    SectionExtents spanned = extents;
    const bool alongPosition = kind == SectionKind::Time;
    const float from = alongPosition ? load.PositionMin : load.TimeMin;
    const float to = alongPosition ? load.PositionMax : load.TimeMax;
    spanned.xMin = std::min({extents.xMin, from, to});
    spanned.xMax = std::max({extents.xMax, from, to});
    spanned.xSpan = AxisSpan(spanned.xMin, spanned.xMax);
    spanned.valueMin = std::min(extents.valueMin, load.ValueMin);
    spanned.valueMax = std::max(extents.valueMax, load.ValueMax);
    spanned.valueSpan = AxisSpan(spanned.valueMin, spanned.valueMax);
    return spanned;
}

std::string RunProblemWord(const ReadProblem& problem) {
    switch (problem.kind) {
    case ReadProblem::Kind::None:
        return "no records";
    case ReadProblem::Kind::Absent:
    case ReadProblem::Kind::NotRegular:
        return "no file";
    case ReadProblem::Kind::NoLineEnd:
    case ReadProblem::Kind::LongLine:
        return "not a table";
    case ReadProblem::Kind::OutOfMemory:
        return "too large";
    case ReadProblem::Kind::System:
    case ReadProblem::Kind::Cancelled:
        break;
    }
    return "unreadable";
}

std::string LegendText(const std::string& runName, const std::string& problem) {
    return problem.empty() ? runName : runName + ": " + problem;
}

std::string OpenedRunName(const Comparison& comparison) {
    return comparison.openedName().empty() ? std::string("opened run") : comparison.openedName();
}

LegendPlace LegendLinePlace(const LegendLayout& layout, int index) {
    const int perColumn = std::max(layout.perColumn, 1);
    return {layout.x + static_cast<float>(index / perColumn) * layout.columnWidth,
            layout.y - static_cast<float>(index % perColumn) * layout.lineHeight};
}

} // namespace tessaplot
