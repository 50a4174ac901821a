#pragma once

#include "compare/Comparison.h"
#include "dataset/FieldLoader.h"
#include "section2d/SectionPlot.h"

#include <span>
#include <string>
#include <vector>

namespace tessaplot {

// Where the curves of several runs lie together: one time axis and one value axis
// for all of them, so that a point of any run sits where its record says.
struct CurveBounds {
    float timeMin = 0, timeMax = 0;
    float valueMin = 0, valueMax = 0;
    bool any = false; // false: no run had a record
};

// A loaded table's bounds (its first and last time, lowest and highest value).
CurveBounds BoundsOf(const FieldLoad& load);
// Both together; a side without records adds nothing.
CurveBounds SpanBounds(const CurveBounds& a, const CurveBounds& b);
// The span an axis is scaled by, as the loader gives it: 1 when not positive.
float AxisSpan(float min, float max);

// The comfort chart's common end time: the latest of the runs' end times (a run
// without records has none).
float SharedEndTime(std::span<const float> endTimes);

// A compared run's cut at the section the opened run shows: the time step at the very
// time shown (`shownTime`: the opened run's step, or the typed time when it has none),
// or the records at the same position text. No points when the run has no such step
// or position.
Section CutLikeOpened(const SectionRequest& request, float shownTime,
                      std::span<const FieldPoint> records, int positionsPerStep,
                      std::string_view separator);
// The section picture's extents spanning `extents` and a compared run's whole load.
SectionExtents SpanSectionExtents(const SectionExtents& extents, SectionKind kind,
                                  const FieldLoad& load);

// A compared run's curve as a picture shows it, in the table's units; `problem` says
// in a word why it has no points.
struct ComparedCurve {
    std::string name;
    RunColour colour;
    std::vector<SectionPoint> points;
    std::string problem;
};

// One line of a picture's legend: a run's name in its colour, with why it draws
// nothing when it does not.
struct LegendEntry {
    std::string text;
    RunColour colour;
};

// What stands in a legend for a run whose table gave no records: a word or two, so
// that no name stands beside a curve it does not have.
std::string RunProblemWord(const ReadProblem& problem);
std::string LegendText(const std::string& runName, const std::string& problem);
// The opened run's name in legends and long tables ("opened run" before any Open).
std::string OpenedRunName(const Comparison& comparison);

// Where the legend's i-th line starts: lines go down from (x, y) by `lineHeight`,
// `perColumn` to a column, further columns `columnWidth` to the right.
struct LegendPlace {
    float x, y;
};
struct LegendLayout {
    float x, y, lineHeight, columnWidth;
    int perColumn;
};
LegendPlace LegendLinePlace(const LegendLayout& layout, int index);

} // namespace tessaplot
