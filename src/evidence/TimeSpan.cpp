#include "evidence/TimeSpan.h"

namespace tessaplot {

RecordRange RecordsInSpan(const CurveView& curve, const TimeSpan& span) {
    const std::size_t begin = FirstRecordAtOrAfter(curve, span.from);
    const std::size_t end =
        span.closedEnd ? FirstRecordAfter(curve, span.to) : FirstRecordAtOrAfter(curve, span.to);
    return {begin, end < begin ? begin : end};
}

} // namespace tessaplot
