#include "compare/RunFigures.h"

namespace tessaplot {

RunFigures ComputeRunFigures(std::span<const FieldPoint> records) {
    RunFiguresAccumulator figures;
    for (const FieldPoint& point : records)
        figures.add(point.Value);
    return figures.figures();
}

} // namespace tessaplot
