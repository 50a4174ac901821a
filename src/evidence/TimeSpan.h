#pragma once

#include "evidence/CurveView.h"

#include <cstddef>

namespace tessaplot {

// A span of time in minutes over which figures are given: the whole run, or one phase of
// the protocol. It holds the times from `from` up to `to`, and `to` itself only when
// `closedEnd` is set, so that a time on the border of two consecutive phases belongs to
// the later one only, while the last phase keeps its end.
struct TimeSpan {
    double from = 0.0;
    double to = 0.0;
    bool closedEnd = true;

    bool holds(double t) const { return t >= from && (t < to || (closedEnd && t == to)); }
};

// The records of `curve` whose times lie in `span`, as indices [begin, end): the records
// the lowest, highest, mean and final value over a phase are taken from.
struct RecordRange {
    std::size_t begin = 0;
    std::size_t end = 0;
    bool empty() const { return begin == end; }
};
RecordRange RecordsInSpan(const CurveView& curve, const TimeSpan& span);

} // namespace tessaplot
