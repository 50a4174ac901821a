// The summary of runs: its figures are those the BodyComfort page concludes and the
// BodyProperty page reads, and those of an independent count of the files' lines.
#include "comfort/Conclusions.h"
#include "compare/RunSummary.h"
#include "dataset/FieldLoader.h"

#include "SampleData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

namespace tessaplot {
namespace {

namespace fs = std::filesystem;

struct Quantity {
    const char* title;
    int column;
    std::vector<float> bounds; // upper bounds of the bands, bottom up
    std::vector<const char*> bandsTopDown;
};

const std::array<Quantity, 3> quantities{{
    {"Thermal Sensation", 7, {23, 45, 55, 73}, {"Hot", "Warm", "Neutral", "Cool", "Cold"}},
    {"Dampness Sensation", 8, {22, 47, 70}, {"Very Damp", "Damp", "Slightly Damp", "Dry"}},
    {"Comfort Value", 9, {30, 78}, {"Uncomfortable", "Acceptable", "Comfortable"}},
}};

// What a reader of the file by hand finds: complete lines with at least nine TABs.
struct HandCount {
    int records = 0;
    float wholeTime = 0;
    std::array<std::vector<int>, 3> counts;
    std::array<float, 3> highest{}, lowest{}, highestTime{}, lowestTime{};
};

float number(const std::string& text) {
    return static_cast<float>(std::strtod(text.c_str(), nullptr));
}

HandCount countByHand(const std::string& text) {
    HandCount count;
    for (int q = 0; q < 3; ++q)
        count.counts[q].assign(quantities[q].bounds.size() + 1, 0);
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        std::vector<std::string> columns;
        std::stringstream line(text.substr(start, end - start));
        for (std::string column; std::getline(line, column, '\t');)
            columns.push_back(column);
        if (columns.size() < 10)
            continue;
        const float time = number(columns[0]);
        for (int q = 0; q < 3; ++q) {
            const float value = number(columns[quantities[q].column]);
            const auto& bounds = quantities[q].bounds;
            ++count.counts[q][std::count_if(bounds.begin(), bounds.end(),
                                            [&](float bound) { return value > bound; })];
            if (count.records == 0 || value > count.highest[q])
                count.highest[q] = value, count.highestTime[q] = time;
            if (count.records == 0 || value < count.lowest[q])
                count.lowest[q] = value, count.lowestTime[q] = time;
        }
        count.wholeTime = time;
        ++count.records;
    }
    return count;
}

std::string fileText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// "115.5 min." and "Hot    31%": the number in a caption.
float captionNumber(const std::string& caption) {
    const std::size_t digits = caption.find_first_of("0123456789");
    return number(caption.substr(digits));
}

class RunSummaryTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("tessaplot_summary_" + std::to_string(std::random_device()()));
    }
    void TearDown() override { fs::remove_all(root); }

    std::string generated(const char* name, const sample::DataSetOptions& options) {
        std::string error;
        EXPECT_TRUE(sample::WriteDataSet(root / name, options, &error)) << error;
        return (root / name).string();
    }

    // Lines the page passes over (too few TABs, none, unfinished), values on band
    // boundaries and an extreme reached twice, of which the earliest time counts.
    std::string handMade() {
        const fs::path dir = root / "hand";
        fs::create_directories(dir);
        sample::WriteTextFile(dir / "Fabrics.dat", "1\t0\t1\t1\t1\t1\t1\t1\t1\t1\n");
        const auto comfortLine = [](const char* time, const char* t, const char* d, const char* c) {
            return std::string(time) + "\t1\t2\t3\t4\t5\t6\t" + t + "\t" + d + "\t" + c + "\n";
        };
        sample::WriteTextFile(
            dir / "Comfort.dat",
            comfortLine("0.5", "23", "22", "30") + "1\t2\t3\t4\t5\n\n" +
                comfortLine("1", "45", "47", "78") + comfortLine("1.5", "55.000004", "70", "78.5") +
                comfortLine("2", "80", "10", "12") + comfortLine("2.5", "80", "90", "4") +
                comfortLine("3", "73", "47.5", "30") + "3.5\t1\t2\t3\t4\t5\t6\t99\t99\t99");
        std::string body = "no table line\n";
        for (int line = 1; line <= 5; ++line) {
            body += std::to_string(line);
            for (int column = 1; column <= 17; ++column)
                body += "\t" + std::to_string(column * 10 + (line * 7) % 5) + ".25";
            body += "\n";
        }
        body += "6\t-3.5\t2\n7\t1\t1\t1";
        sample::WriteTextFile(dir / "BodyProperty.dat", body);
        return dir.string();
    }

    fs::path root;
};

TEST_F(RunSummaryTest, FiguresAreTheConclusionsAndTheBodyPagesRecords) {
    sample::DataSetOptions membrane;
    membrane.membraneShell = true;
    sample::DataSetOptions odd;
    odd.seed = 7;
    odd.timeSteps = 13;
    odd.comfortLines = 1001;
    odd.ambientCelsius = 24.0;
    const std::vector<std::string> directories{
        generated("jacket", {}), generated("membrane", membrane), generated("odd", odd), handMade(),
        (root / "odd/").string()};

    std::vector<SummarizedRun> runs;
    SummarizeRuns(directories, 2, [&](const SummarizedRun& run) { runs.push_back(run); });
    ASSERT_EQ(runs.size(), directories.size());
    EXPECT_EQ(runs[2].name, "odd");
    EXPECT_EQ(runs[4].name, "odd (2)");

    const std::vector<std::string> header = RunSummaryHeader();
    ASSERT_EQ(header.size(), 3 + 3 * 4 + 5 + 4 + 3 + 17 * 4 + 1);
    EXPECT_EQ(header.back(), "Problem");
    std::map<std::string, std::map<std::string, std::string>> byName;
    for (std::size_t r = 0; r < runs.size(); ++r) {
        const SummarizedRun& run = runs[r];
        SCOPED_TRACE(directories[r]);
        EXPECT_EQ(run.directory, directories[r]);
        EXPECT_EQ(run.problem, "");
        const std::vector<std::string> fields = RunSummaryFields(run);
        ASSERT_EQ(fields.size(), header.size());
        std::map<std::string, std::string>& field = byName[run.name];
        for (std::size_t c = 0; c < header.size(); ++c)
            field[header[c]] = fields[c];

        const HandCount hand = countByHand(fileText(fs::path(run.directory) / "Comfort.dat"));
        ASSERT_GT(hand.records, 0);
        EXPECT_EQ(number(field["Whole Time (min.)"]), hand.wholeTime);
        for (int q = 0; q < 3; ++q) {
            const Quantity& quantity = quantities[q];
            SCOPED_TRACE(quantity.title);
            const std::string title = quantity.title;
            const ConclusionCaptions captions =
                ConclusionTexts(run.sensations[q], static_cast<ComfortQuantity>(q));
            EXPECT_EQ(number(field["Whole Time (min.)"]), captionNumber(captions[0]));
            EXPECT_EQ(number(field[title + " Highest"]), hand.highest[q]);
            EXPECT_EQ(number(field[title + " Lowest"]), hand.lowest[q]);
            EXPECT_EQ(number(field[title + " Highest Time (min.)"]), hand.highestTime[q]);
            EXPECT_EQ(number(field[title + " Highest Time (min.)"]), captionNumber(captions[1]));
            EXPECT_EQ(number(field[title + " Lowest Time (min.)"]), hand.lowestTime[q]);
            EXPECT_EQ(number(field[title + " Lowest Time (min.)"]), captionNumber(captions[2]));
            const int bands = static_cast<int>(quantity.bandsTopDown.size());
            for (int row = 0; row < bands; ++row) {
                const std::string share = field[title + " " + quantity.bandsTopDown[row] + " (%)"];
                const int count = hand.counts[q][bands - 1 - row];
                EXPECT_EQ(share, std::to_string((200 * count + hand.records) / (2 * hand.records)))
                    << quantity.bandsTopDown[row];
                EXPECT_EQ(captions[ConclusionIndex(18) + row],
                          std::string(quantity.bandsTopDown[row]) + "    " + share + "%");
            }
        }

        std::vector<FieldPoint> points;
        for (int q = 0; q < BodyQuantityCount; ++q) {
            const std::string name(BodyQuantityNames()[q]);
            SCOPED_TRACE(name);
            LoadField((fs::path(run.directory) / "BodyProperty.dat").string(),
                      {ReadingRules::BodyProperty, q + 1}, points);
            ASSERT_EQ(run.bodyRecords, static_cast<int>(points.size()));
            double sum = 0;
            for (const FieldPoint& point : points)
                sum += point.Value;
            const auto [lowest, highest] = std::minmax_element(
                points.begin(), points.end(),
                [](const FieldPoint& a, const FieldPoint& b) { return a.Value < b.Value; });
            EXPECT_EQ(number(field[name + " Lowest"]), lowest->Value);
            EXPECT_EQ(number(field[name + " Highest"]), highest->Value);
            EXPECT_EQ(number(field[name + " Mean"]), static_cast<float>(sum / points.size()));
            EXPECT_EQ(number(field[name + " Final"]), points.back().Value);
        }
    }

    // The hand-made run as worked out on paper: 6 records (the line at 3.5 has no line
    // end yet), thermal 23 | 45 | 55.000004 | 80 | 80 | 73 -> Hot 2 of 6; comfort
    // 30 | 78 | 78.5 | 12 | 4 | 30 -> Comfortable 4, Acceptable 1, Uncomfortable 1.
    auto& hand = byName["hand"];
    EXPECT_EQ(hand["Whole Time (min.)"], "3");
    EXPECT_EQ(hand["Thermal Sensation Hot (%)"], "33");
    EXPECT_EQ(hand["Thermal Sensation Highest Time (min.)"], "2");
    EXPECT_EQ(hand["Comfort Value Comfortable (%)"], "67");
    EXPECT_EQ(hand["Comfort Value Acceptable (%)"], "17");
    EXPECT_EQ(hand["skin wetness Lowest"], "0");
    EXPECT_EQ(hand["temperature of skin(degree of C) Lowest"], "-3.5");
    EXPECT_EQ(hand["temperature of skin(degree of C) Final"], "-3.5");

    // The membrane shell: a hotter, damper walk and a wetter skin than the plain jacket.
    auto& jacket = byName["jacket"];
    auto& shell = byName["membrane"];
    EXPECT_GT(std::stoi(shell["Thermal Sensation Hot (%)"]),
              std::stoi(jacket["Thermal Sensation Hot (%)"]) + 5);
    EXPECT_GT(std::stoi(shell["Comfort Value Uncomfortable (%)"]),
              std::stoi(jacket["Comfort Value Uncomfortable (%)"]) + 10);
    EXPECT_GT(number(shell["skin wetness Mean"]), number(jacket["skin wetness Mean"]) + 0.1f);
}

} // namespace
} // namespace tessaplot
