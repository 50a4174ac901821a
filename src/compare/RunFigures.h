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

// The figures of values taken one at a time, so that a table's columns can be
// summarised in one pass without keeping its records.
class RunFiguresAccumulator {
public:
    void add(float value) {
        if (m_figures.recordCount == 0 || value < m_figures.lowest)
            m_figures.lowest = value;
        if (m_figures.recordCount == 0 || value > m_figures.highest)
            m_figures.highest = value;
        m_figures.final = value;
        // Summed in double: 150,000 values of one order of magnitude lose nothing shown.
        m_sum += value;
        ++m_figures.recordCount;
    }
    RunFigures figures() const {
        RunFigures figures = m_figures;
        if (figures.recordCount > 0)
            figures.mean = m_sum / figures.recordCount;
        return figures;
    }

private:
    RunFigures m_figures;
    double m_sum = 0.0;
};

RunFigures ComputeRunFigures(std::span<const FieldPoint> records);

} // namespace tessaplot
