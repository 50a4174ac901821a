#include "dataset/FieldPoint.h"
#include "evidence/Phases.h"

#include <gtest/gtest.h>

using namespace tessaplot;

TEST(EvidencePhases, ReadsNamedSpansAndRefusesWhatIsNoProtocol) {
    const PhaseList list = ParsePhases(" Rest : 0 - 30,Exercise:30-90.5, Recovery:100-180");
    ASSERT_TRUE(list.ok()) << list.problem;
    ASSERT_EQ(list.phases.size(), 3u);
    EXPECT_EQ(list.phases[0].name, "Rest");
    EXPECT_EQ(list.phases[1].to, 90.5);
    EXPECT_EQ(list.phases[2].from, 100);
    // A border shared with the next phase belongs to the next one; a gap keeps the end.
    EXPECT_FALSE(PhaseSpan(list.phases, 0).closedEnd);
    EXPECT_TRUE(PhaseSpan(list.phases, 1).closedEnd);
    EXPECT_TRUE(PhaseSpan(list.phases, 2).closedEnd);

    const std::pair<const char*, const char*> bad[] = {
        {"", "no phase"},
        {"Rest:0-30,Exercise:20-90", "starts before \"Rest\" ends"},
        {"Rest:0-30,Exercise:40-90,Cool:35-50", "starts before \"Exercise\" ends"},
        {":0-30", "phase 1 has no name"},
        {"Rest:0-30,", "phase 2 \"\" is not"},
        {"Rest:zero-30", "not FROM-TO"},
        {"Rest:0-30min", "not FROM-TO"},
        {"Rest:0,5-30", "not FROM-TO"},
        {"Rest:30-0", "ends before it starts"},
        {"Rest:10-10", "ends before it starts"},
        {"Rest:0-10,Rest:10-20", "named twice"},
        {"Rest 0-30", "not written as Name:FROM-TO"},
    };
    for (const auto& [text, says] : bad) {
        const PhaseList refused = ParsePhases(text);
        EXPECT_TRUE(refused.phases.empty()) << text;
        EXPECT_NE(refused.problem.find(says), std::string::npos) << text << ": " << refused.problem;
    }
}

TEST(EvidencePhases, ReachAndRecordsOfAPhase) {
    const Phase exercise{"Exercise", 30, 90};
    struct Case {
        double first, last;
        PhaseReach reach;
    };
    const Case cases[] = {
        {0, 180, PhaseReach::Fully},       {30, 90, PhaseReach::Fully},
        {0, 60, PhaseReach::Partly},       {40, 50, PhaseReach::Partly},
        {0, 30, PhaseReach::NotReached},   {90, 200, PhaseReach::NotReached},
        {95, 200, PhaseReach::NotReached}, {0, 20, PhaseReach::NotReached},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReachOf(exercise, c.first, c.last), c.reach) << c.first << "-" << c.last;

    const std::vector<FieldPoint> records{{0, 0, 1}, {10, 0, 2}, {20, 0, 3}, {30, 0, 4}};
    const CurveView curve(std::span<const FieldPoint>(records), &FieldPoint::Time,
                          &FieldPoint::Value);
    const auto range = [&](TimeSpan span) {
        const RecordRange r = RecordsInSpan(curve, span);
        return std::pair{r.begin, r.end};
    };
    EXPECT_EQ(range({10, 20, false}), (std::pair<std::size_t, std::size_t>{1, 2}));
    EXPECT_EQ(range({10, 20, true}), (std::pair<std::size_t, std::size_t>{1, 3}));
    EXPECT_EQ(range({5, 35, true}), (std::pair<std::size_t, std::size_t>{1, 4}));
    EXPECT_TRUE(RecordsInSpan(curve, {40, 50, true}).empty());
    EXPECT_TRUE(RecordsInSpan(curve, {12, 18, true}).empty());
}
