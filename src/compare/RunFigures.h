#pragma once

#include "dataset/FieldPoint.h"

#include <span>

namespace tessaplot {

// One quantity of one run in four figures, over the records of one read of its table.
struct RunFigures {
    int recordCount = 0; // with none, every figure is 0
    float lowest = 0.0f;
    float highest = 0.0f;
    double mean = 0.0;  // the arithmetic mean over the records, not over time
    float final = 0.0f; // the value of the last record
};

RunFigures ComputeRunFigures(std::span<const FieldPoint> records);

} // namespace tessaplot
