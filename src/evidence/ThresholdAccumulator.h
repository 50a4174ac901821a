#pragma once

#include "evidence/ThresholdStays.h"
#include "evidence/Thresholds.h"
#include "evidence/TimeSpan.h"

#include <optional>

namespace tessaplot {

// ComputeThresholdFigures of a curve whose records are handed over one at a time, as a
// table is read, so that the figures of a file need none of its records kept: the same
// figures, from the same segments. Times never decrease.
class ThresholdAccumulator {
public:
    explicit ThresholdAccumulator(const Threshold& threshold,
                                  std::optional<TimeSpan> span = std::nullopt);

    void add(double t, double v);
    // The figures of the records handed so far, as if they were the whole curve.
    ThresholdFigures figures() const;

private:
    void start(double from, double value);
    void point(double t, double v);
    void flushHeld();

    Threshold m_threshold;
    std::optional<TimeSpan> m_span;
    enum class State { BeforeStart, Started, Done } m_state = State::BeforeStart;
    bool m_seen = false;
    double m_prevT = 0.0, m_prevV = 0.0; // the last record handed
    double m_from = 0.0;
    double m_t0 = 0.0, m_v0 = 0.0; // the last point of the curve over the span taken
    // Records after the start and before the span's end, all at one time: inner records
    // of the curve once a later one comes, its end if none does. Of a run of them only the
    // first, the last and whether any between is in the region matter.
    bool m_held = false;
    double m_heldT = 0.0, m_heldFirst = 0.0, m_heldLast = 0.0;
    std::optional<double> m_heldInside;
    int m_heldCount = 0;
    ThresholdStays m_stays;
};

} // namespace tessaplot
