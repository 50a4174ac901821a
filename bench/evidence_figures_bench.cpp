// The evidence figures at the scale: four runs of 150,000 BodyProperty records
// against 1,000 measured points (validation over the whole run and three phases), and
// two thresholds with their crossings over the same runs and phases.
#include "dataset/FieldPoint.h"
#include "evidence/Phases.h"
#include "evidence/Thresholds.h"
#include "evidence/Validation.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

using namespace tessaplot;

constexpr int recordCount = 150000;

// A core temperature over 180 minutes that crosses 37.2 degree C a few dozen times.
std::vector<FieldPoint> run(int k) {
    std::vector<FieldPoint> records;
    records.reserve(recordCount);
    for (int i = 0; i < recordCount; ++i) {
        const float t = 180.0f * (i + 1) / recordCount;
        records.push_back({t, 0.0f, 37.0f + 0.3f * std::sin(t * 0.2f + k) + 0.002f * t});
    }
    return records;
}

struct Evidence {
    std::vector<std::vector<FieldPoint>> runs;
    std::vector<double> times, values;
    std::vector<Phase> phases = ParsePhases("Rest:0-30,Exercise:30-90,Recovery:90-180").phases;
    Evidence() {
        for (int k = 0; k < 4; ++k)
            runs.push_back(run(k));
        for (int i = 0; i < 1000; ++i) {
            times.push_back(0.18 * i + 0.05);
            values.push_back(37.0 + 0.25 * std::sin(times.back() * 0.2));
        }
    }
    CurveView curve(int k) const {
        return CurveView(std::span<const FieldPoint>(runs[static_cast<std::size_t>(k)]),
                         &FieldPoint::Time, &FieldPoint::Value);
    }
};

void BM_EvidenceValidationFourRunsWithPhases(benchmark::State& state) {
    const Evidence evidence;
    for (auto _ : state) {
        for (int k = 0; k < 4; ++k) {
            benchmark::DoNotOptimize(
                ComputeValidation(evidence.curve(k), evidence.times, evidence.values, 0.3));
            for (std::size_t p = 0; p < evidence.phases.size(); ++p)
                benchmark::DoNotOptimize(ComputeValidation(evidence.curve(k), evidence.times,
                                                           evidence.values, 0.3,
                                                           PhaseSpan(evidence.phases, p)));
        }
    }
}
BENCHMARK(BM_EvidenceValidationFourRunsWithPhases)->Unit(benchmark::kMillisecond);

void BM_EvidenceTwoThresholdsFourRunsWithPhases(benchmark::State& state) {
    const Evidence evidence;
    const Threshold thresholds[] = {*ParseThreshold("temperature of core>=37.2").threshold,
                                    *ParseThreshold("temperature of core<36.9").threshold};
    for (auto _ : state) {
        for (int k = 0; k < 4; ++k) {
            for (const Threshold& threshold : thresholds) {
                benchmark::DoNotOptimize(ComputeThresholdFigures(evidence.curve(k), threshold));
                for (std::size_t p = 0; p < evidence.phases.size(); ++p)
                    benchmark::DoNotOptimize(ComputeThresholdFigures(
                        evidence.curve(k), threshold, PhaseSpan(evidence.phases, p)));
            }
        }
    }
}
BENCHMARK(BM_EvidenceTwoThresholdsFourRunsWithPhases)->Unit(benchmark::kMillisecond);

} // namespace
