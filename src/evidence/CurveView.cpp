#include "evidence/CurveView.h"

namespace tessaplot {

std::size_t FirstRecordAtOrAfter(const CurveView& curve, double t) {
    std::size_t low = 0, high = curve.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (curve.time(middle) < t)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

std::size_t FirstRecordAfter(const CurveView& curve, double t) {
    std::size_t low = 0, high = curve.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (curve.time(middle) <= t)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

} // namespace tessaplot
