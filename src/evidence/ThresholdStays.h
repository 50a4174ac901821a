#pragma once

#include "evidence/Thresholds.h"

namespace tessaplot {

// Joins the pieces of a threshold's region that the curve's segments give, in time
// order, into stays: what the whole-curve figures and the record-by-record ones share.
class ThresholdStays {
public:
    void add(double start, double end, bool startClosed, bool endClosed);
    ThresholdFigures& figures() { return m_figures; }
    const ThresholdFigures& figures() const { return m_figures; }

private:
    ThresholdFigures m_figures;
    bool m_active = false;
    double m_end = 0.0;
    bool m_endClosed = false;
};

// The part of the segment from (t0, a) to (t1, b), the curve linear between them, that
// lies in the threshold's region; a segment with t1 == t0 is a step: its two ends only.
void AddThresholdSegment(ThresholdStays& stays, const Threshold& threshold, double t0, double a,
                         double t1, double b);

} // namespace tessaplot
