#include "evidence/ThresholdStays.h"

#include <algorithm>

namespace tessaplot {

namespace {

bool isClosed(Threshold::Comparison comparison) {
    return comparison == Threshold::Comparison::AtLeast ||
           comparison == Threshold::Comparison::AtMost;
}

// How far a value is into the region (negative outside): linear in the value, so linear
// along a segment of the curve.
double margin(const Threshold& threshold, double v) {
    const bool upper = threshold.comparison == Threshold::Comparison::AtLeast ||
                       threshold.comparison == Threshold::Comparison::Above;
    return upper ? v - threshold.value : threshold.value - v;
}

} // namespace

void ThresholdStays::add(double start, double end, bool startClosed, bool endClosed) {
    if (m_active && start == m_end && (m_endClosed || startClosed)) {
        m_figures.timeInside += end - start;
        m_endClosed = end == m_end ? (m_endClosed || endClosed) : endClosed;
        m_end = end;
        return;
    }
    ++m_figures.entries;
    if (!m_figures.firstTime)
        m_figures.firstTime = start;
    m_figures.timeInside += end - start;
    m_active = true;
    m_end = end;
    m_endClosed = endClosed;
}

void AddThresholdSegment(ThresholdStays& stays, const Threshold& threshold, double t0, double a,
                         double t1, double b) {
    const bool closed = isClosed(threshold.comparison);
    const double ga = margin(threshold, a), gb = margin(threshold, b);
    const bool inA = closed ? ga >= 0.0 : ga > 0.0;
    const bool inB = closed ? gb >= 0.0 : gb > 0.0;
    if (t1 == t0) { // a step in the curve: only its two ends
        if (inA)
            stays.add(t0, t0, true, true);
        if (inB)
            stays.add(t1, t1, true, true);
        return;
    }
    if (inA && inB) {
        stays.add(t0, t1, true, true);
    } else if (inA || inB) {
        // The crossing: where the margin is 0. Between distinct margins, so no division by 0.
        const double crossing = std::clamp(t0 + ga / (ga - gb) * (t1 - t0), t0, t1);
        if (inA)
            stays.add(t0, crossing, true, closed);
        else
            stays.add(crossing, t1, closed, true);
    }
}

} // namespace tessaplot
