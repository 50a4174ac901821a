// Where a compared run's records go in an overlaid picture, and its long table.
#include "compare/OverlayGeometry.h"
#include "export/CsvTable.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessaplot {
namespace {

// Two steps (time 0 and 30) of three nodes at 0, 0.1, 0.2; value = time + 10 * node.
const std::vector<FieldPoint> kTwoSteps = {{0, 0, 0},   {0, 0.1f, 10},  {0, 0.2f, 20},
                                           {30, 0, 30}, {30, 0.1f, 40}, {30, 0.2f, 50}};

SectionRequest atTime(float time) {
    SectionRequest request;
    request.kind = SectionKind::Time;
    request.converted = true;
    request.sectionTime = time;
    return request;
}

SectionRequest atPosition(const std::string& text) {
    SectionRequest request;
    request.kind = SectionKind::Position;
    request.converted = true;
    request.positionText = text;
    return request;
}

TEST(CompareOverlayGeometry, AComparedRunIsCutAtTheStepTheOpenedRunShowsOrNotAtAll) {
    const struct {
        const char* what;
        SectionRequest request;
        float shownTime;
        std::vector<float> values;
    } cases[] = {
        {"the shown step", atTime(20), 30, {30, 40, 50}},
        {"the first step", atTime(0), 0, {0, 10, 20}},
        // The opened run shows the step at 20; this run's next step is another time.
        {"no step at the shown time", atTime(20), 20, {}},
        {"after the last step", atTime(40), 40, {}},
        {"a position", atPosition("0.1000"), 0, {10, 40}},
        {"a position it lacks", atPosition("0.3000"), 0, {}},
        {"a time that was no number", SectionRequest{SectionKind::Time, false, 0, ""}, 0, {}},
    };
    for (const auto& c : cases) {
        const Section section = CutLikeOpened(c.request, c.shownTime, kTwoSteps, 3, ".");
        std::vector<float> values;
        for (const SectionPoint& p : section.points)
            values.push_back(p.y);
        EXPECT_EQ(values, c.values) << c.what;
        EXPECT_EQ(section.kind, c.request.kind) << c.what;
    }
}

TEST(CompareOverlayGeometry, AxesSpanEveryRunWithRecordsAndNoneWithout) {
    FieldLoad other;
    other.opened = true;
    other.PointCount = 6;
    other.TimeMin = 10, other.TimeMax = 90;
    other.PositionMin = 0, other.PositionMax = 0.4f;
    other.ValueMin = -5, other.ValueMax = 20;
    const SectionExtents own{0, 0.2f, 0.2f, 0, 50, 50};
    const SectionExtents alongPosition = SpanSectionExtents(own, SectionKind::Time, other);
    EXPECT_FLOAT_EQ(alongPosition.xMax, 0.4f);
    EXPECT_FLOAT_EQ(alongPosition.xSpan, 0.4f);
    EXPECT_FLOAT_EQ(alongPosition.valueMin, -5);
    EXPECT_FLOAT_EQ(alongPosition.valueSpan, 55);
    const SectionExtents alongTime =
        SpanSectionExtents({0, 60, 60, 0, 50, 50}, SectionKind::Position, other);
    EXPECT_FLOAT_EQ(alongTime.xMax, 90);
    EXPECT_FLOAT_EQ(alongTime.xSpan, 90);

    FieldLoad failed = other;
    failed.opened = false;
    EXPECT_FLOAT_EQ(SpanSectionExtents(own, SectionKind::Time, failed).xMax, 0.2f);
    const CurveBounds none = BoundsOf(failed);
    EXPECT_FALSE(none.any);
    const CurveBounds both = SpanBounds(none, BoundsOf(other));
    EXPECT_EQ(both.timeMin, 10);
    EXPECT_EQ(both.valueMax, 20);
    EXPECT_FLOAT_EQ(AxisSpan(3, 3), 1);
    EXPECT_EQ(SharedEndTime(std::vector<float>{60, 90, 0}), 90);
}

TEST(CompareOverlayGeometry, LongTableNamesTheRunOfEveryRowAndTheLegendWhyOneHasNone) {
    EXPECT_EQ(CsvTable({"Run", "Time (min.)", "Comfort Value"}, {{0, 0.5f, 1}, {40, 41.25f}},
                       {"jacket", "vest, dry", "left over"}),
              "Run,Time (min.),Comfort Value\r\njacket,0,40\r\n\"vest, dry\",0.5,41.25\r\n");
    ReadProblem absent;
    absent.kind = ReadProblem::Kind::Absent;
    EXPECT_EQ(LegendText("vest", RunProblemWord(absent)), "vest: no file");
    EXPECT_EQ(LegendText("vest", ""), "vest");
    const LegendLayout layout{0.6f, 1.2f, 0.1f, 0.4f, 3};
    EXPECT_FLOAT_EQ(LegendLinePlace(layout, 2).y, 1.0f);
    EXPECT_FLOAT_EQ(LegendLinePlace(layout, 4).x, 1.0f);
    EXPECT_FLOAT_EQ(LegendLinePlace(layout, 4).y, 1.1f);
}

} // namespace
} // namespace tessaplot
