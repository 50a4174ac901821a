// The evidence beside the compared runs: its one state, its key, and the table's rows.
#include "compare/Evidence.h"
#include "compare/EvidenceRows.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tessaplot {
namespace {

namespace fs = std::filesystem;

class EvidenceTest : public ::testing::Test {
protected:
    fs::path write(const std::string& name, const std::string& text) {
        const fs::path path = m_dir / name;
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
        return path;
    }
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("evidence-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    fs::path m_dir;
};

TEST_F(EvidenceTest, EveryChangeMovesTheKeyAndARefusedFileAddsNothing) {
    Evidence evidence;
    std::vector<std::vector<std::uint64_t>> seen{evidence.key()};
    const auto expectNewKey = [&] {
        for (const auto& earlier : seen)
            EXPECT_NE(evidence.key(), earlier);
        seen.push_back(evidence.key());
    };
    const fs::path bad = write("bad.csv", "Time,temperature of skin\n5,abc\n");
    const auto refused = evidence.addMeasured(bad.string());
    ASSERT_TRUE(refused);
    EXPECT_EQ(*refused, "bad.csv: line 2, column 2: " +
                            MeasuredProblemText(ReadMeasuredFile(bad.string()).problem)
                                .substr(std::string("line 2, column 2: ").size()));
    EXPECT_TRUE(evidence.measured().empty());
    EXPECT_EQ(evidence.key(), seen.back());

    const fs::path good = write("trial.csv", "Time,Temperature of skin (degree of C),Pulse\n"
                                             "5,33.1,80\n10,33.4,85\n");
    ASSERT_FALSE(evidence.addMeasured(good.string()));
    expectNewKey();
    const MeasuredFile& file = evidence.measured().front();
    EXPECT_EQ(file.name, "trial.csv");
    ASSERT_EQ(file.matches.size(), 2u);
    EXPECT_EQ(file.matches[0], (EvidenceQuantity{EvidenceQuantity::Source::Body, 0}));
    EXPECT_FALSE(file.matches[1]);
    EXPECT_TRUE(evidence.addMeasured(good.string())); // the same file twice
    // Matched by hand, and kept so when the file is rewritten under the same header.
    evidence.matchSeries(0, 1, EvidenceQuantity{EvidenceQuantity::Source::Comfort, 2});
    expectNewKey();
    EXPECT_EQ(SeriesOf(evidence, {EvidenceQuantity::Source::Comfort, 2}).size(), 1u);
    write("trial.csv", "Time,Temperature of skin (degree of C),Pulse\n5,33.1,80\n10,33.4,85\n"
                       "15,33.6,90\n");
    fs::last_write_time(good, fs::last_write_time(good) + std::chrono::seconds(5));
    EXPECT_TRUE(evidence.followMeasured());
    expectNewKey();
    EXPECT_EQ(evidence.measured().front().table.series[1].values.size(), 3u);
    EXPECT_EQ(evidence.measured().front().matches[1],
              (EvidenceQuantity{EvidenceQuantity::Source::Comfort, 2}));
    EXPECT_FALSE(evidence.followMeasured());

    // Removed and added again is not the evidence of before.
    evidence.removeMeasured(0);
    expectNewKey();
    ASSERT_FALSE(evidence.addMeasured(good.string()));
    expectNewKey();

    // A refused text changes nothing; a good one replaces what was there.
    ASSERT_FALSE(evidence.setPhases("Rest:0-30,Exercise:30-90"));
    expectNewKey();
    EXPECT_TRUE(evidence.setPhases("Rest:0-30,Exercise:20-90"));
    EXPECT_TRUE(evidence.setThresholds({"skin wetness>=0.3", "nothing>=1"}));
    EXPECT_TRUE(evidence.setTolerances({"temperature of core=oops"}));
    EXPECT_EQ(evidence.key(), seen.back());
    EXPECT_EQ(evidence.phases().size(), 2u);
    EXPECT_TRUE(evidence.thresholds().empty());
}

// The cell of the row named `name` in the column of run `run` (from 0).
std::string cellOf(const TextTable& table, const std::string& name, std::size_t run = 0) {
    for (const auto& row : table)
        if (!row.empty() && row[0] == name)
            return run + 1 < row.size() ? row[run + 1] : "<no cell>";
    return "<no row>";
}

TEST_F(EvidenceTest, TableRowsGiveValidationAndThresholdFiguresOverTheWholeTimeAndEachPhase) {
    // Skin temperature 30, 32, 34 at 0, 10, 20 minutes: 33 is crossed at 15.
    const std::vector<FieldPoint> body{{0, 0, 30}, {10, 0, 32}, {20, 0, 34}};
    std::vector<RunTableInput> runs(2);
    runs[0].name = "a";
    runs[0].body = body;
    runs[1].name = "b";
    runs[1].bodyProblem = "No BodyProperty.dat in this run.";
    RunTableChoice choice;
    choice.bodyItem = 0;
    choice.bodyName = "temperature of skin(degree of C)";

    Evidence evidence;
    // Before the first record, between two, on one, after the last: two compared, at
    // 5 (simulated 31, difference -0.5) and 10 (32, +1).
    ASSERT_FALSE(
        evidence.addMeasured(write("m.csv", "Time,temperature of skin,temperature of skin SD\n"
                                            "-5,30.5,0.2\n5,31.5,\n10,31,0.1\n25,40,1\n")
                                 .string()));
    ASSERT_FALSE(evidence.setPhases("A:0-10,B:10-18,C:18-40,D:50-60"));
    ASSERT_FALSE(evidence.setThresholds({"temperature of skin>=33"}));
    ASSERT_FALSE(evidence.setTolerances({"temperature of skin=0.5"}));
    TextTable table = RunComparisonTable(runs, choice);
    const std::size_t plainRows = table.size();
    AppendEvidenceRows(table, runs, choice, evidence);
    ASSERT_GT(table.size(), plainRows);

    const std::string unit = " (degree of C)";
    EXPECT_EQ(cellOf(table, "Points compared"), "2 (2 outside the run)");
    EXPECT_EQ(cellOf(table, "Bias" + unit), "0.25");
    EXPECT_EQ(cellOf(table, "SD of the differences" + unit), "1.0606601");
    EXPECT_EQ(cellOf(table, "RMSE" + unit), "0.7905694");
    EXPECT_EQ(cellOf(table, "Largest difference" + unit), "1 at 10 min.");
    EXPECT_EQ(cellOf(table, "Within ±0.5" + unit), "50 %");
    EXPECT_EQ(cellOf(table, "Points compared", 1), "No records.");
    // Phase A holds 5 only (its end belongs to B); C is covered up to 20, where the run
    // ends, and says so; D is never reached.
    EXPECT_EQ(cellOf(table, "A: Points compared"), "1");
    EXPECT_EQ(cellOf(table, "A: Bias" + unit), "-0.5");
    EXPECT_EQ(cellOf(table, "A: SD of the differences" + unit), "-");
    EXPECT_EQ(cellOf(table, "B: Bias" + unit), "1");
    EXPECT_EQ(cellOf(table, "C: Points compared"),
              "0 (1 outside the run) (the run covers part of the phase)");
    EXPECT_EQ(cellOf(table, "C: Bias" + unit), "-");
    EXPECT_EQ(cellOf(table, "D: Points compared"), "not reached");
    EXPECT_EQ(cellOf(table, "D: Bias" + unit), "");

    EXPECT_EQ(cellOf(table, "First crossing (min.)"), "15");
    EXPECT_EQ(cellOf(table, "Time beyond (min.)"), "5");
    EXPECT_EQ(cellOf(table, "Entries"), "1");
    EXPECT_EQ(cellOf(table, "A: First crossing (min.)"), "never");
    EXPECT_EQ(cellOf(table, "A: Time beyond (min.)"), "0");
    EXPECT_EQ(cellOf(table, "B: First crossing (min.)"), "15");
    // Already beyond where C begins: it enters there, and stays to the run's end.
    EXPECT_EQ(cellOf(table, "C: First crossing (min.)"), "18 (the run covers part of the phase)");
    EXPECT_EQ(cellOf(table, "C: Time beyond (min.)"), "2");
    EXPECT_EQ(cellOf(table, "D: First crossing (min.)"), "not reached");
    // The table's own figures again per phase, over that phase's records only.
    EXPECT_EQ(cellOf(table, "A: Final value"), "30");
    EXPECT_EQ(cellOf(table, "B: Lowest"), "32");
    EXPECT_EQ(cellOf(table, "D: Lowest"), "not reached");

    // Nothing laid beside the runs: no rows.
    TextTable plain = RunComparisonTable(runs, choice);
    AppendEvidenceRows(plain, runs, choice, Evidence{});
    EXPECT_EQ(plain.size(), plainRows);
}

} // namespace
} // namespace tessaplot
