#include "dataset/FieldLoader.h"
#include "dataset/LineWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <climits>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

using namespace tessaplot;

namespace {

// A Fabrics.dat whose every value tells where it came from: column 3 holds the 1-based
// line number, position = layer * 10 + node, key = layer + 1, time = step * 0.5.
std::string fabricsText(int layers, int steps, const char* lineEnd = "\n") {
    std::string text;
    int line = 0;
    for (int step = 0; step < steps; ++step)
        for (int layer = 0; layer < layers; ++layer)
            for (int node = 0; node < 6; ++node) {
                ++line;
                text += std::to_string(step * 0.5) + "\t" + std::to_string(layer * 10 + node) +
                        "\t" + std::to_string(layer + 1) + "\t" + std::to_string(line);
                for (int column = 4; column <= 9; ++column)
                    text += "\t" + std::to_string(column);
                text += lineEnd;
            }
    return text;
}

FieldLoadRequest fabricRequest(int layerIndex, int layerCount, int dataColumn = 3) {
    return {ReadingRules::Fabric, dataColumn, layerIndex, layerCount, 6};
}

std::vector<float> lineNumbers(const std::vector<FieldPoint>& points) {
    std::vector<float> values;
    for (const FieldPoint& p : points)
        values.push_back(p.Value);
    return values;
}

} // namespace

TEST(FieldLoader, FabricLayerTakesItsBlockFromEveryTimeStep) {
    std::vector<FieldPoint> points;
    const FieldLoad load = LoadFieldFromText(fabricsText(3, 3), fabricRequest(1, 3), points);

    ASSERT_EQ(load.PointCount, 18);
    ASSERT_EQ(points.size(), 18u);
    const std::vector<float> expected{7,  8,  9,  10, 11, 12, 25, 26, 27,
                                      28, 29, 30, 43, 44, 45, 46, 47, 48};
    EXPECT_EQ(lineNumbers(points), expected);
    EXPECT_TRUE(load.LeadingLinesSkipped);
    EXPECT_TRUE(load.PositionsPerStepFound);
    EXPECT_EQ(load.PositionsPerStep, 6);
    EXPECT_EQ(load.listedPositions, (std::vector<float>{10, 11, 12, 13, 14, 15}));
    EXPECT_FLOAT_EQ(load.FirstPosition, 10.0f);
    EXPECT_FLOAT_EQ(load.TimeMin, 0.0f);
    EXPECT_FLOAT_EQ(load.TimeMax, 1.0f);
    EXPECT_FLOAT_EQ(load.TimeSpan, 1.0f);
    EXPECT_FLOAT_EQ(load.PositionMin, 10.0f);
    EXPECT_FLOAT_EQ(load.PositionMax, 15.0f);
    EXPECT_FLOAT_EQ(load.ValueMin, 7.0f);
    EXPECT_FLOAT_EQ(load.ValueMax, 48.0f);
    EXPECT_FLOAT_EQ(load.ValueSpan, 41.0f);
}

TEST(FieldLoader, LastLayerAndNoSelectionAndCrLf) {
    std::vector<FieldPoint> points;
    LoadFieldFromText(fabricsText(3, 2), fabricRequest(2, 3), points);
    EXPECT_EQ(lineNumbers(points),
              (std::vector<float>{13, 14, 15, 16, 17, 18, 31, 32, 33, 34, 35, 36}));

    // No layer selected reads as the first layer.
    const std::vector<float> first{1, 2, 3, 4, 5, 6, 19, 20, 21, 22, 23, 24};
    LoadFieldFromText(fabricsText(3, 2), fabricRequest(-1, 3), points);
    EXPECT_EQ(lineNumbers(points), first);

    // A carriage return before the line feed changes nothing, also in the last column.
    LoadFieldFromText(fabricsText(3, 2, "\r\n"), fabricRequest(0, 3), points);
    EXPECT_EQ(lineNumbers(points), first);
    LoadFieldFromText(fabricsText(3, 2, "\r\n"), fabricRequest(0, 3, 9), points);
    EXPECT_FLOAT_EQ(points.back().Value, 9.0f);
}

TEST(FieldLoader, LastColumnIsConvertedFromItsOwnCharacters) {
    std::vector<FieldPoint> points;
    const std::string text = "1\t0\t1\t0\t0\t0\t0\t0\t45.25000000001\t7\n"
                             "1\t0.5\t1\t0\t0\t0\t0\t0\t45.25\t-1.5E-03\n";
    LoadFieldFromText(text, {ReadingRules::Fibers, 9, -1, 1, 6}, points);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_FLOAT_EQ(points[0].Value, 7.0f);
    EXPECT_FLOAT_EQ(points[1].Value, -1.5e-3f);

    LoadFieldFromText(text, {ReadingRules::Fibers, 8, -1, 1, 6}, points);
    EXPECT_FLOAT_EQ(points[1].Value, 45.25f);
}

TEST(FieldLoader, FinalLineWithoutLineFeedWaitsForTheNextLoad) {
    const std::string complete = "0\t0\t1\n0\t0.1\t2\n0\t0.2\t3\n";
    std::vector<FieldPoint> points;
    const FieldLoadRequest request{ReadingRules::Fibers, 2, -1, 1, 6};
    EXPECT_EQ(LoadFieldFromText(complete, request, points).PointCount, 3);
    const FieldLoad partial =
        LoadFieldFromText(complete.substr(0, complete.size() - 1), request, points);
    EXPECT_EQ(partial.PointCount, 2);
    EXPECT_FLOAT_EQ(partial.TimeMax, 0.0f);
    EXPECT_FLOAT_EQ(partial.PositionMax, 0.1f);
    EXPECT_FLOAT_EQ(partial.ValueMax, 2.0f);
}

TEST(FieldLoader, FibrePositionsFillTheListsOnce) {
    std::string text;
    for (int step = 1; step <= 3; ++step)
        for (int node = 0; node < 6; ++node)
            text += std::to_string(step) + "\t" + std::to_string(node * 0.05) + "\t1.5\t2\t3\n";
    std::vector<FieldPoint> points;
    const FieldLoad load = LoadFieldFromText(text, {ReadingRules::Fibers, 4, -1, 1, 6}, points);
    EXPECT_EQ(load.PointCount, 18);
    EXPECT_EQ(load.PositionsPerStep, 6);
    EXPECT_EQ(load.listedPositions, (std::vector<float>{0.0f, 0.05f, 0.1f, 0.15f, 0.2f, 0.25f}));
    // Every value 3: the span would be 0 and is taken as 1.
    EXPECT_FLOAT_EQ(load.ValueMin, 3.0f);
    EXPECT_FLOAT_EQ(load.ValueSpan, 1.0f);
    EXPECT_FLOAT_EQ(load.PositionSpan, 0.25f);
}

TEST(FieldLoader, SingleTimeStepListsEveryPosition) {
    std::vector<FieldPoint> points;
    const FieldLoad load = LoadFieldFromText("5\t0\t1\t9\n5\t1\t1\t9\n5\t2\t1\t9\n",
                                             {ReadingRules::Fibers, 3}, points);
    EXPECT_EQ(load.PointCount, 3);
    EXPECT_FALSE(load.PositionsPerStepFound);
    EXPECT_EQ(load.PositionsPerStep, 0);
    EXPECT_EQ(load.listedPositions.size(), 3u);
    EXPECT_FLOAT_EQ(load.TimeSpan, 1.0f);
}

TEST(FieldLoader, BodyPropertyHasNoPositions) {
    const std::string text = "0\t33.1\t36.8\n1\t33.4\t36.9\n2\t33.2\t37.0\n";
    std::vector<FieldPoint> points;
    const FieldLoad load = LoadFieldFromText(text, {ReadingRules::BodyProperty, 1}, points);
    ASSERT_EQ(load.PointCount, 3);
    for (const FieldPoint& p : points)
        EXPECT_EQ(p.Position, 0.0f);
    EXPECT_FLOAT_EQ(points[1].Value, 33.4f);
    EXPECT_TRUE(load.listedPositions.empty());
    EXPECT_EQ(load.PositionsPerStep, 0);
    EXPECT_FLOAT_EQ(load.FirstPosition, -1.0f);
    EXPECT_FLOAT_EQ(load.PositionSpan, 1.0f);
    EXPECT_FLOAT_EQ(load.ValueMin, 33.1f);
    EXPECT_FLOAT_EQ(load.ValueMax, 33.4f);
    // The extents of time come from the first and last record, not from a search.
    const FieldLoad unordered =
        LoadFieldFromText("5\t1\n2\t1\n3\t1\n", {ReadingRules::BodyProperty, 1}, points);
    EXPECT_FLOAT_EQ(unordered.TimeMin, 5.0f);
    EXPECT_FLOAT_EQ(unordered.TimeMax, 3.0f);
    EXPECT_FLOAT_EQ(unordered.TimeSpan, 1.0f);
}

TEST(FieldLoader, LinesThatAreNotRecordsAreSkipped) {
    // Empty lines, lines without TAB and a bare CR line are neither records nor lines of
    // a layer block, so the layer blocks stay aligned.
    std::string text = "\n" + fabricsText(2, 1) + "\r\nend of run\n" + fabricsText(2, 1);
    std::vector<FieldPoint> points;
    const FieldLoad load = LoadFieldFromText(text, fabricRequest(1, 2), points);
    EXPECT_EQ(lineNumbers(points), (std::vector<float>{7, 8, 9, 10, 11, 12, 7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(load.PositionsPerStep, 6);

    // A line shorter than the column asked for leaves the value 0.
    LoadFieldFromText("1\t2\t3\n1\t2\n", {ReadingRules::Fibers, 2}, points);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_FLOAT_EQ(points[0].Value, 3.0f);
    EXPECT_FLOAT_EQ(points[1].Value, 0.0f);
}

TEST(FieldLoader, AbsurdRequestsEndWithoutOverrun) {
    const std::string text = fabricsText(3, 2);
    struct Case {
        const char* what;
        FieldLoadRequest request;
        int expectedCount;
    };
    const Case cases[] = {
        {"no other layers", {ReadingRules::Fabric, 3, 0, 0, 6}, 36},
        {"negative layer count", {ReadingRules::Fabric, 3, 0, -4, 6}, 36},
        {"zero layer lines", {ReadingRules::Fabric, 3, 0, 3, 0}, 36},
        {"huge layer count", {ReadingRules::Fabric, 3, 0, INT_MAX, INT_MAX}, 6},
        {"layer past the end", {ReadingRules::Fabric, 3, INT_MAX, 3, 6}, 0},
        {"negative column", {ReadingRules::Fibers, -3, -1, 1, 6}, 36},
        {"column past the line", {ReadingRules::Fibers, 1000, -1, 1, 6}, 36},
    };
    for (const Case& c : cases) {
        std::vector<FieldPoint> points;
        const FieldLoad load = LoadFieldFromText(text, c.request, points);
        EXPECT_EQ(load.PointCount, c.expectedCount) << c.what;
        EXPECT_EQ(points.size(), static_cast<size_t>(c.expectedCount)) << c.what;
        if (c.request.dataColumn < 0 || c.request.dataColumn > 9) {
            EXPECT_FLOAT_EQ(load.ValueSpan, 1.0f) << c.what;
        }
    }
}

TEST(FieldLoader, NoRecordsGiveDefinedExtents) {
    for (const char* text : {"", "\n\n", "no tabs here\n", "1\t2\t3"}) {
        std::vector<FieldPoint> points{{1, 2, 3}};
        const FieldLoad load = LoadFieldFromText(text, {ReadingRules::Fibers, 2}, points);
        EXPECT_TRUE(load.opened);
        EXPECT_EQ(load.PointCount, 0) << text;
        EXPECT_TRUE(points.empty());
        EXPECT_EQ(load.TimeMin, 0.0f);
        EXPECT_EQ(load.TimeSpan, 1.0f);
        EXPECT_EQ(load.PositionSpan, 1.0f);
        EXPECT_EQ(load.ValueSpan, 1.0f);
        EXPECT_TRUE(load.listedPositions.empty());
    }
}

TEST(FieldLoader, FilesThatCannotBeReadYieldNothing) {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("tessaplot_dataset_loader_" + std::to_string(std::random_device()()));
    std::filesystem::create_directories(dir);
    std::vector<FieldPoint> points{{1, 2, 3}};
    for (const auto& [path, why] : {std::pair{dir / "missing.dat", ReadProblem::Kind::Absent},
                                    std::pair{dir, ReadProblem::Kind::NotRegular}}) {
        const FieldLoad load = LoadField(path.string(), {ReadingRules::Fibers, 2}, points);
        EXPECT_FALSE(load.opened) << path;
        EXPECT_EQ(load.problem.kind, why) << path;
        EXPECT_EQ(load.PointCount, 0);
        EXPECT_TRUE(points.empty());
        EXPECT_EQ(load.ValueSpan, 1.0f);
    }

    // A real file through the reused window: a large file first, then a small one.
    const auto big = dir / "big.dat";
    const auto small = dir / "small.dat";
    std::ofstream(big, std::ios::binary) << fabricsText(3, 400);
    std::ofstream(small, std::ios::binary) << "0\t0\t1\n0\t1\t2\n";
    LineWindow window;
    EXPECT_EQ(LoadField(big.string(), fabricRequest(2, 3), points, window).PointCount, 2400);
    EXPECT_FLOAT_EQ(points.back().Value, 7200.0f);
    const FieldLoad load = LoadField(small.string(), {ReadingRules::Fibers, 2}, points, window);
    EXPECT_EQ(load.PointCount, 2);
    EXPECT_FALSE(load.problem.failed());
    std::filesystem::remove_all(dir);
}

TEST(FieldLoader, HostileTextNeverOverruns) {
    // Random mixes of the characters that steer the reader; under the sanitizer build any
    // read past a line or the text fails here. The invariants hold for every mix.
    std::mt19937 random(12345);
    const std::string alphabet = "\t\t\t\n\n\r 0123456789.eE+-x";
    std::vector<FieldPoint> points;
    for (int round = 0; round < 2000; ++round) {
        std::string text(random() % 200, ' ');
        for (char& c : text)
            c = alphabet[random() % alphabet.size()];
        const FieldLoadRequest request{
            static_cast<ReadingRules>(random() % 3), static_cast<int>(random() % 12) - 1,
            static_cast<int>(random() % 5) - 1, static_cast<int>(random() % 5) - 1,
            static_cast<int>(random() % 8) - 1};
        const FieldLoad load = LoadFieldFromText(text, request, points);
        ASSERT_EQ(static_cast<std::size_t>(load.PointCount), points.size());
        ASSERT_LE(load.PointCount, std::count(text.begin(), text.end(), '\n'));
        ASSERT_GT(load.TimeSpan, 0.0f);
        ASSERT_GT(load.ValueSpan, 0.0f);
        ASSERT_LE(load.listedPositions.size(), points.size());
    }
}

TEST(FieldLoader, TwoThreadsGiveTheRecordsOfOne) {
    // Every run of lines split between two threads, and none: the records, extents and
    // lists are the same to the bit, whether the text is one run or many.
    std::string odd = "\n" + fabricsText(3, 20) + "\r\nend of run\n\n" + fabricsText(3, 21);
    odd += "7\t8\t9"; // still being written
    std::mt19937 random(7);
    std::string hostile(6000, ' ');
    for (char& c : hostile)
        c = "\t\t\n\n\r 0123456789.eE+-"[random() % 21];
    const struct {
        const char* what;
        std::string text;
        FieldLoadRequest request;
    } cases[] = {
        {"first layer", fabricsText(3, 40), fabricRequest(0, 3)},
        {"middle layer, CR LF", fabricsText(3, 40, "\r\n"), fabricRequest(1, 3, 8)},
        {"last layer among lines that are no records", odd, fabricRequest(2, 3)},
        {"no layer chosen", odd, fabricRequest(-1, 3)},
        {"huge layer count", odd, {ReadingRules::Fabric, 3, 0, INT_MAX, INT_MAX}},
        {"layer past the end", odd, {ReadingRules::Fabric, 3, INT_MAX, 3, 6}},
        {"zero layer lines", odd, {ReadingRules::Fabric, 3, 1, 3, 0}},
        {"fibre file", odd, {ReadingRules::Fibers, 5}},
        {"body quantities", odd, {ReadingRules::BodyProperty, 1}},
        {"hostile text", hostile, fabricRequest(1, 2)},
    };
    const auto dir = std::filesystem::temp_directory_path() /
                     ("tessaplot_dataset_threads_" + std::to_string(std::random_device()()));
    std::filesystem::create_directories(dir);
    const auto same = [](const FieldLoad& a, const std::vector<FieldPoint>& pa, const FieldLoad& b,
                         const std::vector<FieldPoint>& pb) {
        const auto bits = [](float x) { return std::bit_cast<std::uint32_t>(x); };
        bool equal = pa.size() == pb.size() && a.PointCount == b.PointCount &&
                     a.listedPositions == b.listedPositions &&
                     a.PositionsPerStep == b.PositionsPerStep &&
                     a.PositionsPerStepFound == b.PositionsPerStepFound &&
                     a.LeadingLinesSkipped == b.LeadingLinesSkipped;
        const std::pair<float, float> extents[] = {{a.TimeMin, b.TimeMin},
                                                   {a.TimeMax, b.TimeMax},
                                                   {a.PositionMin, b.PositionMin},
                                                   {a.PositionMax, b.PositionMax},
                                                   {a.ValueMin, b.ValueMin},
                                                   {a.ValueMax, b.ValueMax},
                                                   {a.FirstPosition, b.FirstPosition}};
        for (const auto& [x, y] : extents)
            equal = equal && bits(x) == bits(y);
        for (std::size_t i = 0; equal && i < pa.size(); ++i)
            equal = bits(pa[i].Time) == bits(pb[i].Time) &&
                    bits(pa[i].Position) == bits(pb[i].Position) &&
                    bits(pa[i].Value) == bits(pb[i].Value);
        return equal;
    };
    for (const auto& c : cases) {
        std::vector<FieldPoint> oneThread, twoThreads;
        const FieldLoad expected = LoadFieldFromText(c.text, c.request, oneThread, SIZE_MAX);
        FieldLoad load = LoadFieldFromText(c.text, c.request, twoThreads, 1);
        EXPECT_TRUE(same(expected, oneThread, load, twoThreads)) << c.what << ", one run";
        const auto path = (dir / "table.dat").string();
        std::ofstream(path, std::ios::binary | std::ios::trunc) << c.text;
        for (std::size_t windowBytes : {std::size_t{300}, std::size_t{4096}}) {
            LineWindow window(windowBytes);
            load = LoadField(path, c.request, twoThreads, window, 1);
            EXPECT_TRUE(same(expected, oneThread, load, twoThreads))
                << c.what << ", runs of " << windowBytes << " bytes";
        }
    }
    std::filesystem::remove_all(dir);
}
