#include "SampleData.h"
#include "dataset/FieldLoader.h"
#include "dataset/LayerCount.h"
#include "dataset/ResultFileListing.h"
#include "evidence/MeasuredTable.h"
#include "evidence/QuantityMatch.h"
#include "evidence/Validation.h"
#include "text/DecimalConversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <random>
#include <set>
#include <sstream>

using namespace tessaplot;
namespace sample = tessaplot::sample;

namespace {

// Every line ends with a line feed and has exactly `tabs` TABs; nothing but numbers.
void expectTableShape(const std::string& text, int tabs, std::size_t lines, const char* what) {
    ASSERT_FALSE(text.empty()) << what;
    EXPECT_EQ(text.back(), '\n') << what;
    EXPECT_EQ(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')), lines) << what;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        ASSERT_EQ(std::count(line.begin(), line.end(), '\t'), tabs) << what << ": " << line;
        ASSERT_EQ(line.find_first_not_of("0123456789.+-E\t"), std::string::npos)
            << what << ": " << line;
    }
}

std::filesystem::path freshDirectory(const char* name) {
    return std::filesystem::temp_directory_path() /
           (std::string("tessaplot_") + name + "_" + std::to_string(std::random_device()()));
}

} // namespace

TEST(SampleData, TablesHaveTheResultFormatAndAreDeterministic) {
    const sample::DataSetOptions options;
    const std::string fabrics = sample::FabricsTable(options);
    expectTableShape(fabrics, 9, 3 * 6 * 72, "Fabrics.dat");
    expectTableShape(sample::FiberTable(options, 1, 2), 4, 6 * 72, "fibre");
    expectTableShape(sample::BodyPropertyTable(options), 17, 72, "BodyProperty.dat");
    expectTableShape(sample::ComfortTable(options), 9, 360, "Comfort.dat");

    EXPECT_EQ(sample::FabricsTable(options), fabrics);
    sample::DataSetOptions reseeded;
    reseeded.seed = 2;
    EXPECT_NE(sample::FabricsTable(reseeded), fabrics);

    std::vector<std::string> names;
    for (const auto& file : sample::FiberFiles(options))
        names.push_back(file.fileName);
    EXPECT_EQ(names, (std::vector<std::string>{"fabric1_fiber_1.dat", "fabric1_fiber_2.dat",
                                               "fabric2_fiber_1.dat"}));
}

TEST(SampleData, PhysicsIsPlausible) {
    const sample::DataSetOptions options;
    std::vector<FieldPoint> points;
    const auto load = [&](const std::string& text, ReadingRules rules, int column, int layer) {
        return LoadFieldFromText(text, {rules, column, layer, options.layers, 6}, points);
    };
    const std::string fabrics = sample::FabricsTable(options);

    // Temperature falls from the skin side outwards at the end of the run.
    load(fabrics, ReadingRules::Fabric, 8, 0);
    const float innerSkin = points[points.size() - 6].Value;
    load(fabrics, ReadingRules::Fabric, 8, options.layers - 1);
    const float outerSurface = points.back().Value;
    EXPECT_GT(innerSkin, 30.0f);
    EXPECT_LT(outerSurface, innerSkin - 10.0f);
    EXPECT_GT(outerSurface, static_cast<float>(options.ambientCelsius));

    // Humidity next to the skin rises as the wearer sweats, and stays a percentage.
    const FieldLoad humidity = load(fabrics, ReadingRules::Fabric, 6, 0);
    EXPECT_GT(points[points.size() - 6].Value, points[6 * 8].Value + 10.0f);
    EXPECT_GE(humidity.ValueMin, 0.0f);
    EXPECT_LE(humidity.ValueMax, 100.0f);

    const FieldLoad vapour = load(fabrics, ReadingRules::Fabric, 3, 1);
    EXPECT_GT(vapour.ValueMin, 0.003f);
    EXPECT_LT(vapour.ValueMax, 0.04f);

    // The comfort file drifts through every thermal and dampness band.
    const std::string comfort = sample::ComfortTable(options);
    for (const auto& [column, bounds] : std::vector<std::pair<int, std::vector<float>>>{
             {7, {23, 45, 55, 73}}, {8, {22, 47, 70}}, {9, {30, 78}}}) {
        load(comfort, ReadingRules::BodyProperty, column, -1);
        std::set<int> bands;
        for (const FieldPoint& p : points)
            bands.insert(static_cast<int>(
                std::count_if(bounds.begin(), bounds.end(), [&](float b) { return p.Value > b; })));
        EXPECT_EQ(bands.size(), bounds.size() + 1) << "column " << column;
    }
}

TEST(SampleData, WrittenDataSetReadsBackWhole) {
    sample::DataSetOptions options;
    options.layers = 4;
    options.timeSteps = 90;
    options.fiberFiles = 2;
    options.fiberNodes = 9;
    options.comfortLines = 500;
    const auto dir = freshDirectory("sample_roundtrip");
    std::string error;
    ASSERT_TRUE(sample::WriteDataSet(dir, options, &error)) << error;

    const ResultFileListing listing = ListResultFiles(dir.string());
    EXPECT_EQ(
        listing.listedNames,
        (std::vector<std::string>{"Fabrics.dat", "Bodyproperty.dat", "Comfort.dat", "Loginfo.txt",
                                  "fabric1_fiber_1.dat", "fabric1_fiber_2.dat"}));

    const auto fabrics = (dir / listing.fabricsFileName).string();
    const LayerStructure layers = CountLayersInFile(fabrics);
    EXPECT_EQ(layers.layerCount, 4);
    EXPECT_EQ(layers.layerLines, 6);

    std::vector<FieldPoint> points;
    for (int layer = 0; layer < 4; ++layer) {
        const FieldLoad load = LoadField(
            fabrics, {ReadingRules::Fabric, 8, layer, layers.layerCount, layers.layerLines},
            points);
        EXPECT_EQ(load.PointCount, 6 * 90);
        EXPECT_EQ(load.PositionsPerStep, 6);
        EXPECT_TRUE(std::is_sorted(load.listedPositions.begin(), load.listedPositions.end()));
        EXPECT_FLOAT_EQ(load.TimeMax, 180.0f);
    }
    const FieldLoad fibre =
        LoadField((dir / listing.fiberFileNames[1]).string(), {ReadingRules::Fibers, 4}, points);
    EXPECT_EQ(fibre.PointCount, 9 * 90);
    EXPECT_EQ(fibre.PositionsPerStep, 9);
    EXPECT_FLOAT_EQ(fibre.PositionMax, 0.25f);
    const FieldLoad body = LoadField((dir / listing.bodyPropertyFileName).string(),
                                     {ReadingRules::BodyProperty, 17}, points);
    EXPECT_EQ(body.PointCount, 90);
    const FieldLoad comfort = LoadField((dir / listing.comfortFileName).string(),
                                        {ReadingRules::BodyProperty, 9}, points);
    EXPECT_EQ(comfort.PointCount, 500);
    std::filesystem::remove_all(dir);
}

TEST(SampleData, LargeTablesLoadWithoutDroppingRecords) {
    // More records than the 150,000 the main window starts its store with.
    sample::DataSetOptions options;
    options.timeSteps = 34000;
    options.fiberNodes = 6;
    const std::string fibre = sample::FiberTable(options, 2, 1);
    std::vector<FieldPoint> points;
    points.reserve(150000);
    const FieldLoad load = LoadFieldFromText(fibre, {ReadingRules::Fibers, 2}, points);
    EXPECT_EQ(load.PointCount, 204000);
    EXPECT_EQ(load.PositionsPerStep, 6);
    EXPECT_FLOAT_EQ(points.back().Time, 180.0f);

    // Capacity is kept between loads: a second load does not move the store.
    const FieldPoint* store = points.data();
    LoadFieldFromText(fibre, {ReadingRules::Fibers, 3}, points);
    EXPECT_EQ(points.data(), store);
}

TEST(SampleData, MembraneRunLinesUpWithTheJacketRunAndDiffers) {
    const sample::DataSetOptions jacket;
    sample::DataSetOptions membrane;
    membrane.membraneShell = true;
    // Every table: the same lines at the same times (and places), other values.
    for (const auto& table : std::vector<std::function<std::string(const sample::DataSetOptions&)>>{
             sample::FabricsTable, sample::BodyPropertyTable, sample::ComfortTable,
             [](const sample::DataSetOptions& o) { return sample::FiberTable(o, 1, 2); }}) {
        std::istringstream plain(table(jacket)), shell(table(membrane));
        std::string a, b;
        int differing = 0, lines = 0;
        while (std::getline(plain, a)) {
            ASSERT_TRUE(std::getline(shell, b));
            const std::size_t keys = a.find('\t', a.find('\t') + 1);
            ASSERT_EQ(a.substr(0, a.find('\t')), b.substr(0, b.find('\t')));
            differing += a.substr(keys) != b.substr(keys);
            ++lines;
        }
        EXPECT_FALSE(std::getline(shell, b));
        EXPECT_GT(differing, lines / 2);
    }
}

namespace {

// Column `column` of a generated TAB table against its time column, as a page keeps it.
std::vector<FieldPoint> tableCurve(const std::string& table, int column) {
    std::vector<FieldPoint> points;
    std::istringstream in(table);
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string_view> cells;
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
            cells.push_back(std::string_view(line).substr(start, tab - start));
        cells.push_back(std::string_view(line).substr(start));
        points.push_back({ParseDecimal(cells.at(0)), 0.0f,
                          ParseDecimal(cells.at(static_cast<std::size_t>(column)))});
    }
    return points;
}

} // namespace

TEST(SampleData, MeasuredDataGiveTheRunsKnownBiases) {
    const sample::DataSetOptions options;
    const MeasuredTable measured = ParseMeasuredTable(sample::MeasuredDataTable(options));
    ASSERT_TRUE(measured.ok()) << MeasuredProblemText(measured.problem);
    ASSERT_EQ(measured.series.size(), 3u);
    EXPECT_EQ(measured.series[0].deviationColumn, 3);

    const std::vector<FieldPoint> body = tableCurve(sample::BodyPropertyTable(options), 1);
    const std::vector<FieldPoint> core = tableCurve(sample::BodyPropertyTable(options), 2);
    const std::vector<FieldPoint> thermal = tableCurve(sample::ComfortTable(options), 7);
    const struct {
        const std::vector<FieldPoint>& simulated;
        int points;
        double bias, rounding;
    } expected[] = {{body, 36, sample::MeasuredSkinBias, 0.005},
                    {core, 36, sample::MeasuredCoreBias, 0.005},
                    {thermal, 6, sample::MeasuredVoteBias, 0.05}};
    for (std::size_t i = 0; i < 3; ++i) {
        const MeasuredSeries& series = measured.series[i];
        ASSERT_TRUE(MatchQuantityName(series.name)) << series.name;
        const ValidationFigures figures =
            ComputeValidation(CurveView(std::span<const FieldPoint>(expected[i].simulated),
                                        &FieldPoint::Time, &FieldPoint::Value),
                              series.times, series.values);
        EXPECT_EQ(figures.counted, expected[i].points) << series.name;
        EXPECT_EQ(figures.outsideRun, 0) << series.name;
        EXPECT_NEAR(figures.bias.value(), expected[i].bias, expected[i].rounding) << series.name;
        // The scatter is there: the points are no copy of the curve shifted.
        EXPECT_GT(figures.deviation.value(), 2 * expected[i].rounding) << series.name;
    }
}
