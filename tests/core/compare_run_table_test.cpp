#include "comfort/Conclusions.h"
#include "compare/RunComparisonTable.h"
#include "compare/RunFigures.h"
#include "text/GeneralForm.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace tessaplot {
namespace {

// The bands written out here, not taken from the code under test: upper bounds from the
// bottom of the scale, a value on a bound belonging to the band below.
struct Scale {
    std::vector<std::string> names; // top of the scale first, as the table lists them
    std::vector<float> bounds;      // bottom-up, one fewer than the bands
};
const Scale kScales[3] = {
    {{"Hot", "Warm", "Neutral", "Cool", "Cold"}, {23, 45, 55, 73}},
    {{"Very Damp", "Damp", "Slightly Damp", "Dry"}, {22, 47, 70}},
    {{"Uncomfortable", "Acceptable", "Comfortable"}, {30, 78}},
};

float valueOf(const ComfortRecord& r, int quantity) {
    return quantity == 0   ? r.ThermalSensation
           : quantity == 1 ? r.DampnessSensation
                           : r.ComfortValue;
}

// A run of `count` records, one every `step` minutes, its values wandering over the whole
// scale and landing on band bounds now and then.
std::vector<ComfortRecord> makeRun(int count, float step, int seed) {
    std::vector<ComfortRecord> records;
    for (int i = 0; i < count; ++i) {
        const auto wave = [&](int k) {
            const int v = (i * (7 + seed + k) + seed * 13 + k * 29) % 101;
            return v % 17 == 0 ? 45.0f + static_cast<float>(k) : static_cast<float>(v);
        };
        records.push_back({step * static_cast<float>(i + 1), wave(0), wave(2), wave(33)});
    }
    return records;
}

struct Expected {
    std::string whole, highest, lowest;
    std::vector<int> shares; // top of the scale first
};

Expected countIndependently(const std::vector<ComfortRecord>& records, int quantity) {
    const Scale& scale = kScales[quantity];
    const std::size_t bands = scale.names.size();
    std::vector<int> counts(bands, 0);
    std::size_t hi = 0, lo = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const float v = valueOf(records[i], quantity);
        std::size_t band = 0;
        while (band < scale.bounds.size() && v > scale.bounds[band])
            ++band;
        ++counts[bands - 1 - band];
        if (v > valueOf(records[hi], quantity))
            hi = i;
        if (v < valueOf(records[lo], quantity))
            lo = i;
    }
    Expected e;
    e.whole = GeneralDecimalForm(records.back().Time) + " min.";
    e.highest = GeneralDecimalForm(records[hi].Time) + " min.";
    e.lowest = GeneralDecimalForm(records[lo].Time) + " min.";
    for (const int count : counts)
        e.shares.push_back(static_cast<int>(
            std::floor(100.0 * count / static_cast<double>(records.size()) + 0.5)));
    return e;
}

std::string signedShare(int d) {
    return d == 0 ? "0 %" : (d > 0 ? "+" : "-") + std::to_string(std::abs(d)) + " %";
}

TEST(RunComparisonTable, SharesAndTimesPerRunAreTheConclusionsOfEachRunAndAnIndependentCount) {
    const std::vector<std::vector<ComfortRecord>> runs = {
        makeRun(360, 0.5f, 1), makeRun(41, 4.5f, 2), makeRun(1000, 0.25f, 3)};
    std::vector<RunTableInput> inputs;
    for (std::size_t r = 0; r < runs.size(); ++r)
        inputs.push_back({"run" + std::to_string(r), runs[r], "", {}, ""});

    for (int quantity = 0; quantity < 3; ++quantity) {
        SCOPED_TRACE(quantity);
        RunTableChoice choice;
        choice.sensationItem = quantity;
        choice.sensationName = "Q";
        const TextTable table = RunComparisonTable(inputs, choice);
        const std::size_t bands = kScales[quantity].names.size();
        ASSERT_EQ(table.size(), 1 + 1 + 3 + bands + 1);
        EXPECT_EQ(table[0], (std::vector<std::string>{"", "run0", "run1", "run2"}));
        EXPECT_EQ(table[1][0], "BodyComfort: Q");
        for (std::size_t b = 0; b < bands; ++b)
            EXPECT_EQ(table[5 + b][0], kScales[quantity].names[b]);
        EXPECT_EQ(table.back()[0], "BodyProperty: no quantity is chosen on its page");

        const Expected opened = countIndependently(runs[0], quantity);
        for (std::size_t r = 0; r < runs.size(); ++r) {
            SCOPED_TRACE(r);
            const Expected e = countIndependently(runs[r], quantity);
            const ConclusionCaptions single =
                ConclusionTexts(runs[r], static_cast<ComfortQuantity>(quantity));
            const auto cell = [&](std::size_t row) {
                const std::string& text = table[row][r + 1];
                // A compared run's figure is followed by its difference in parentheses.
                return r == 0 ? text : text.substr(0, text.find("  ("));
            };
            EXPECT_EQ(cell(2), e.whole);
            EXPECT_EQ(cell(2), single[ConclusionIndex(15)]);
            EXPECT_EQ(cell(3), e.highest);
            EXPECT_EQ(cell(3), single[ConclusionIndex(16)]);
            EXPECT_EQ(cell(4), e.lowest);
            EXPECT_EQ(cell(4), single[ConclusionIndex(17)]);
            for (std::size_t b = 0; b < bands; ++b) {
                const std::string share = std::to_string(e.shares[b]) + "%";
                EXPECT_EQ(cell(5 + b), share);
                EXPECT_EQ(single[ConclusionIndex(18) + b],
                          kScales[quantity].names[b] + "    " + share);
                if (r > 0) {
                    EXPECT_EQ(table[5 + b][r + 1],
                              share + "  (" + signedShare(e.shares[b] - opened.shares[b]) + ")");
                }
            }
        }
    }
}

TEST(RunComparisonTable, TimeDifferencesAreThoseOfTheStoredTimes) {
    EXPECT_EQ(TimeDifferenceText(185.0f, 180.0f, "."), "+5 min.");
    EXPECT_EQ(TimeDifferenceText(40.3f, 45.1f, ","), "-4,8 min.");
    EXPECT_EQ(TimeDifferenceText(0.5f, 0.5f, "."), "0 min.");
    EXPECT_EQ(ShareDifferenceText(50, 62), "-12 %");
}

TEST(RunComparisonTable, BodyFiguresAndRunsThatCouldNotBeRead) {
    std::vector<FieldPoint> a, b;
    for (int i = 0; i < 500; ++i) {
        a.push_back(
            {0.5f * static_cast<float>(i), 0, 36.0f + std::sin(0.1f * static_cast<float>(i))});
        b.push_back({0.5f * static_cast<float>(i), 0, 1e-3f * static_cast<float>((i * 37) % 211)});
    }
    const std::vector<ComfortRecord> comfort = makeRun(30, 1.0f, 4);
    const std::vector<RunTableInput> inputs = {
        {"a", comfort, "", a, ""},
        {"b", {}, "No Comfort.dat in this run.", b, ""},
        {"c", comfort, "", {}, "BodyProperty.dat: no table."},
    };
    RunTableChoice choice;
    choice.sensationItem = 2;
    choice.sensationName = "Comfort";
    choice.bodyItem = 4;
    choice.bodyName = "Skin Temperature";
    const TextTable table = RunComparisonTable(inputs, choice);
    const std::size_t body = table.size() - 5;
    ASSERT_EQ(table[body][0], "BodyProperty: Skin Temperature");

    for (std::size_t run = 0; run < 2; ++run) {
        const std::vector<FieldPoint>& points = run == 0 ? a : b;
        float lo = points[0].Value, hi = points[0].Value;
        double sum = 0;
        for (const FieldPoint& p : points) {
            lo = p.Value < lo ? p.Value : lo;
            hi = p.Value > hi ? p.Value : hi;
            sum += p.Value;
        }
        const std::vector<std::string> expected = {
            ShortestDecimalForm(lo), ShortestDecimalForm(hi),
            ShortestDecimalForm(static_cast<float>(sum / static_cast<double>(points.size()))),
            ShortestDecimalForm(points.back().Value)};
        for (std::size_t row = 0; row < 4; ++row)
            EXPECT_EQ(table[body + 1 + row][run + 1], expected[row]) << run << " " << row;
    }
    // A run that could not be read says why in its column, with no figure beside it,
    // and the runs beside it show theirs.
    for (std::size_t row = 2; row < body; ++row) {
        EXPECT_EQ(table[row][2], row == 2 ? "No Comfort.dat in this run." : "") << row;
    }
    for (std::size_t row = body + 1; row < table.size(); ++row)
        EXPECT_EQ(table[row][3], row == body + 1 ? "BodyProperty.dat: no table." : "");
    // The opened run unread: no difference is made up against it.
    const std::vector<RunTableInput> unopened = {
        {"(no run opened)", {}, "No run is opened.", {}, "x"}, {"c", comfort, "", {}, ""}};
    for (const auto& row : RunComparisonTable(unopened, choice))
        EXPECT_EQ(row[2].find("  ("), std::string::npos) << row[2];
}

} // namespace
} // namespace tessaplot
