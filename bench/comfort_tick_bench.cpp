// The pure part of one BodyComfort refresh tick: re-read Comfort.dat, compute the
// statistics and the conclusion texts, build the curve and the tick labels. The
// OpenGL drawing is not part of this (it needs a window).
#include "SampleData.h"
#include "comfort/BandStatistics.h"
#include "comfort/ComfortChartGeometry.h"
#include "comfort/ComfortReader.h"
#include "comfort/Conclusions.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace tessaplot;

fs::path writeComfortFile(int lines) {
    const fs::path dir = fs::temp_directory_path() / "tessaplot_comfort_bench";
    fs::create_directories(dir);
    const fs::path file = dir / ("Comfort_" + std::to_string(lines) + ".dat");
    sample::DataSetOptions options;
    options.comfortLines = lines;
    options.durationMinutes = lines * 0.5;
    sample::WriteTextFile(file, sample::ComfortTable(options));
    return file;
}

void computeTheRest(std::span<const ComfortRecord> records, float endTime,
                    std::vector<ChartPoint>& curve) {
    const auto stats = ComputeBandStatistics(records, ComfortQuantity::ThermalSensation);
    const auto captions = ConclusionTexts(stats, ComfortQuantity::ThermalSensation);
    BuildComfortCurve(records, endTime, ComfortQuantity::ThermalSensation, curve);
    const auto ticks = ComfortTimeTicks(endTime);
    benchmark::DoNotOptimize(captions);
    benchmark::DoNotOptimize(ticks);
    benchmark::DoNotOptimize(curve.data());
}

// The file as the simulation left it: every tick reads all its bytes again but
// converts nothing.
void BM_ComfortTickUnchangedFile(benchmark::State& state) {
    const fs::path file = writeComfortFile(static_cast<int>(state.range(0)));
    ComfortFileReader reader;
    std::vector<ComfortRecord> store;
    std::vector<ChartPoint> curve;
    reader.read(file.string(), store);
    for (auto _ : state) {
        const auto result = reader.read(file.string(), store);
        computeTheRest(std::span(store.data(), result.count), result.endTime, curve);
    }
    fs::remove(file);
}

// One line appended between ticks: the new line is the only one converted.
void BM_ComfortTickAppendedFile(benchmark::State& state) {
    const fs::path file = writeComfortFile(static_cast<int>(state.range(0)));
    ComfortFileReader reader;
    std::vector<ComfortRecord> store;
    std::vector<ChartPoint> curve;
    reader.read(file.string(), store);
    std::ofstream out(file, std::ios::binary | std::ios::app);
    double time = state.range(0) * 0.5;
    for (auto _ : state) {
        state.PauseTiming();
        time += 0.5;
        out << time << "\t0\t0\t0\t0\t0\t0\t5.0E+01\t4.0E+01\t3.0E+01\n" << std::flush;
        state.ResumeTiming();
        const auto result = reader.read(file.string(), store);
        computeTheRest(std::span(store.data(), result.count), result.endTime, curve);
    }
    out.close();
    fs::remove(file);
}

// Without the reader's memory: every tick converts every line, as a plain re-read does.
void BM_ComfortTickFullParse(benchmark::State& state) {
    const fs::path file = writeComfortFile(static_cast<int>(state.range(0)));
    std::vector<ComfortRecord> store;
    LineWindow buffer;
    std::vector<ChartPoint> curve;
    for (auto _ : state) {
        const auto result = ReadComfortFile(file.string(), store, buffer);
        computeTheRest(std::span(store.data(), result.count), result.endTime, curve);
    }
    fs::remove(file);
}

BENCHMARK(BM_ComfortTickUnchangedFile)
    ->Arg(1000)
    ->Arg(15000)
    ->Arg(150000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ComfortTickAppendedFile)
    ->Arg(1000)
    ->Arg(15000)
    ->Arg(150000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ComfortTickFullParse)
    ->Arg(1000)
    ->Arg(15000)
    ->Arg(150000)
    ->Unit(benchmark::kMillisecond);

} // namespace
