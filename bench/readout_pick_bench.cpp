// The pure part of the value under the pointer on a 150,000-record mesh: placing the
// records of a new view in the screen grid, and one pointer's question to it.
#include "readout/Picking.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

using namespace tessaplot;

// Six nodes across, 25,000 steps along, a value in z: a layer's mesh in the unit cube.
std::vector<float> layerMesh() {
    std::vector<float> xyz;
    for (int step = 0; step < 25000; ++step)
        for (int node = 0; node < 6; ++node)
            xyz.insert(xyz.end(), {node * 0.2f, step / 25000.0f,
                                   0.5f + 0.4f * std::sin(step * 0.001f + node)});
    return xyz;
}

// A turned, zoomed view on a 550-pixel panel.
WindowMapping turnedView() {
    WindowMapping m;
    m.x[0] = 250, m.x[1] = -120, m.x[2] = 60, m.x[3] = 200;
    m.y[0] = 40, m.y[1] = 230, m.y[2] = 180, m.y[3] = 120;
    return m;
}

void BM_ReadoutGridOfANewView150k(benchmark::State& state) {
    const std::vector<float> xyz = layerMesh();
    const PolylinePoints points{xyz.data(), 3, xyz.size() / 3};
    ScreenPicker picker;
    for (auto _ : state) {
        picker.build(points, turnedView(), ScreenPicker::Question::Nearest, 6.0);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ReadoutGridOfANewView150k)->Unit(benchmark::kMillisecond);

void BM_ReadoutPickPerMove150k(benchmark::State& state) {
    const std::vector<float> xyz = layerMesh();
    ScreenPicker picker;
    picker.build({xyz.data(), 3, xyz.size() / 3}, turnedView(), ScreenPicker::Question::Nearest,
                 6.0);
    int i = 0;
    for (auto _ : state) {
        ++i;
        benchmark::DoNotOptimize(picker.nearest(100 + i % 300, 100 + (i * 7) % 300, 6.0));
    }
}
BENCHMARK(BM_ReadoutPickPerMove150k)->Unit(benchmark::kMicrosecond);

} // namespace
