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

LegendPlace LegendLinePlace(const LegendLayout& layout, int index) {
    const int perColumn = std::max(layout.perColumn, 1);
    return {layout.x + static_cast<float>(index / perColumn) * layout.columnWidth,
            layout.y - static_cast<float>(index % perColumn) * layout.lineHeight};
}

} // namespace tessaplot
