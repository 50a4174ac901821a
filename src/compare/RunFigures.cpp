#include "compare/RunFigures.h"

#include <algorithm>

namespace tessaplot {

RunFigures ComputeRunFigures(std::span<const FieldPoint> records) {
    RunFigures figures;
    if (records.empty())
        return figures;
    figures.recordCount = static_cast<int>(records.size());
    figures.lowest = figures.highest = records.front().Value;
    // Summed in double: 150,000 values of one order of magnitude lose nothing shown.
    double sum = 0.0;
    for (const FieldPoint& point : records) {
        figures.lowest = std::min(figures.lowest, point.Value);
        figures.highest = std::max(figures.highest, point.Value);
        sum += point.Value;
    }
    figures.mean = sum / static_cast<double>(records.size());
    figures.final = records.back().Value;
    return figures;
}

} // namespace tessaplot
