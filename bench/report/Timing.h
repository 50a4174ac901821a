#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

namespace tessaplot::bench {

struct Figure {
    double median = 0, min = 0, max = 0; // milliseconds
};

// Runs `work` once to warm up, then `runs` times, and summarises the wall times;
// `prepare` runs untimed before each run of `work`.
inline Figure Measure(int runs, const std::function<void()>& prepare,
                      const std::function<void()>& work) {
    prepare();
    work();
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        prepare();
        const auto start = std::chrono::steady_clock::now();
        work();
        const auto end = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.front(), ms.back()};
}

inline Figure Measure(int runs, const std::function<void()>& work) {
    return Measure(
        runs, [] {}, work);
}

} // namespace tessaplot::bench
