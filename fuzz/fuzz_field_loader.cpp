#include "FuzzInput.h"
#include "dataset/FieldLoader.h"

#include <cmath>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    tessaplot::FieldLoadRequest request;
    request.rules = static_cast<tessaplot::ReadingRules>(input.pick(0, 2));
    request.dataColumn = input.pick(-2, 20);
    request.layerIndex = input.pick(-1, 6);
    request.layerCount = input.pick(-1, 6);
    request.layerLines = input.pick(-1, 12);
    std::vector<tessaplot::FieldPoint> points;
    const tessaplot::FieldLoad load = tessaplot::LoadFieldFromText(input.rest(), request, points);
    if (load.PointCount != static_cast<int>(points.size()))
        std::abort();
    if (!(load.TimeSpan > 0) || !(load.PositionSpan > 0) || !(load.ValueSpan > 0))
        std::abort();
    if (load.PositionsPerStep < 0 || load.PositionsPerStep > load.PointCount)
        std::abort();
    return 0;
}
