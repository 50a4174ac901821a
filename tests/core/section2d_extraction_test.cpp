#include "dataset/FieldLoader.h"
#include "section2d/SectionExtraction.h"
#include "text/DecimalConversion.h"
#include "text/GeneralForm.h"

#include <gtest/gtest.h>

#include <cmath>

#include <string>
#include <vector>

using namespace tessaplot;

namespace {

// A fibre table as the simulation writes it: times and positions as short decimal
// texts, value = 100 * step + node so every point tells where it came from.
std::string fiberText(const std::vector<std::string>& times,
                      const std::vector<std::string>& positions) {
    std::string text;
    for (size_t step = 0; step < times.size(); ++step)
        for (size_t node = 0; node < positions.size(); ++node)
            text += times[step] + "\t" + positions[node] + "\t" +
                    std::to_string(100 * step + node) + "\t0\t0\n";
    return text;
}

struct LoadedField {
    std::vector<FieldPoint> points;
    FieldLoad load;
};

LoadedField loadFiber(const std::vector<std::string>& times,
                      const std::vector<std::string>& positions) {
    LoadedField field;
    field.load = LoadFieldFromText(fiberText(times, positions), {ReadingRules::Fibers, 2, -1, 1, 6},
                                   field.points);
    return field;
}

const std::vector<std::string> kSixPositions{"0", "0.05", "0.10", "0.15", "0.20", "0.25"};

std::vector<float> xs(const Section& section) {
    std::vector<float> values;
    for (const SectionPoint& p : section.points)
        values.push_back(p.x);
    return values;
}

std::vector<float> ys(const Section& section) {
    std::vector<float> values;
    for (const SectionPoint& p : section.points)
        values.push_back(p.y);
    return values;
}

} // namespace

TEST(SectionExtraction, PositionListsAndOnePositionSectionPerListedText) {
    const LoadedField field = loadFiber({"0", "0.5", "1", "1.5"}, kSixPositions);
    std::vector<std::string> listed;
    for (float position : field.load.listedPositions)
        listed.push_back(PositionText(position));
    ASSERT_EQ(listed,
              (std::vector<std::string>{"0", "0.0500", "0.1000", "0.1500", "0.2000", "0.25"}));

    for (size_t node = 0; node < listed.size(); ++node) {
        const Section section = ExtractPositionSection(field.points, listed[node], ".");
        EXPECT_EQ(section.kind, SectionKind::Position);
        EXPECT_EQ(xs(section), (std::vector<float>{0.0f, 0.5f, 1.0f, 1.5f})) << listed[node];
        const float n = static_cast<float>(node);
        EXPECT_EQ(ys(section), (std::vector<float>{n, 100 + n, 200 + n, 300 + n})) << listed[node];
    }
}

TEST(SectionExtraction, PositionTextsMatchCharacterByCharacter) {
    // 0.123451 and 0.123459 share their first six characters: one section holds both.
    const LoadedField field = loadFiber({"0", "1"}, {"0.123451", "0.123459", "0.5"});
    EXPECT_EQ(ys(ExtractPositionSection(field.points, "0.1234", ".")),
              (std::vector<float>{0, 1, 100, 101}));
    EXPECT_TRUE(ExtractPositionSection(field.points, "0.12345", ".").points.empty());
    EXPECT_TRUE(ExtractPositionSection(field.points, "0.50", ".").points.empty());
    EXPECT_EQ(ExtractPositionSection(field.points, "0.5", ".").points.size(), 2u);
    // The lists and the matching both use the user's separator.
    EXPECT_EQ(ExtractPositionSection(field.points, "0,5", ",").points.size(), 2u);
    EXPECT_TRUE(ExtractPositionSection(field.points, "0.5", ",").points.empty());
}

TEST(SectionExtraction, TimeSectionTakesTheFirstStepNotEarlierThanTheTime) {
    const std::vector<std::string> times{"0", "0.1", "0.2", "0.7", "0.8"};
    const LoadedField field = loadFiber(times, kSixPositions);
    const std::vector<float> positions{0.0f, 0.05f, 0.10f, 0.15f, 0.20f, 0.25f};
    struct Case {
        float time;
        int expectedStart;
    };
    const Case cases[] = {
        {-5.0f, 0}, // before the first step: the first
        {0.0f, 0},
        {0.05f, 6}, // between two steps: the later one
        // Typed times become 32-bit floats, as the stored times are, so a step is
        // found by its own time even where the float lies below the decimal (0.7).
        {ParseDecimal("0.1"), 6},
        {ParseDecimal("0.7"), 18},
        {0.70001f, 24},
        {0.8f, 24},
    };
    for (const Case& c : cases) {
        const Section section = ExtractTimeSection(field.points, c.time, 6);
        EXPECT_EQ(section.kind, SectionKind::Time);
        EXPECT_EQ(section.start, c.expectedStart) << "time " << c.time;
        EXPECT_EQ(xs(section), positions) << "time " << c.time;
        EXPECT_EQ(section.points.front().y, static_cast<float>(100 * (c.expectedStart / 6)));
    }
}

TEST(SectionExtraction, TimeSectionStaysWithinTheLoadedPoints) {
    LoadedField field = loadFiber({"0", "1", "2"}, kSixPositions);
    // After the last step: nothing, and the start says so.
    const Section late = ExtractTimeSection(field.points, 2.5f, 6);
    EXPECT_EQ(late.start, 18);
    EXPECT_TRUE(late.points.empty());
    // A last step cut short (a growing file): only the points that exist.
    field.points.resize(15);
    const Section shortStep = ExtractTimeSection(field.points, 2.0f, 6);
    EXPECT_EQ(shortStep.start, 12);
    EXPECT_EQ(ys(shortStep), (std::vector<float>{200, 201, 202}));
    // No field at all.
    EXPECT_TRUE(ExtractTimeSection({}, 0.0f, 6).points.empty());
    // A NaN time finds no step rather than the first.
    EXPECT_TRUE(ExtractTimeSection(field.points, std::nanf(""), 6).points.empty());
}

TEST(SectionExtraction, TimeSectionTakesOneWholeStepOfAFibre) {
    std::vector<std::string> eleven;
    for (int node = 0; node <= 10; ++node)
        eleven.push_back(std::to_string(node * 0.01));
    const LoadedField field = loadFiber({"0", "1", "2"}, eleven);
    ASSERT_EQ(field.load.PositionsPerStep, 11);

    const Section step = ExtractTimeSection(field.points, 1.0f, field.load.PositionsPerStep);
    ASSERT_EQ(step.points.size(), 11u);
    EXPECT_EQ(step.points.front().y, 100);
    EXPECT_EQ(step.points.back().y, 110);
    // A load that could not tell the step length (one time step) takes six.
    EXPECT_EQ(ExtractTimeSection(field.points, 1.0f, 0).points.size(), 6u);
}
