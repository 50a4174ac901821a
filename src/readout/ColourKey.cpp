#include "readout/ColourKey.h"

#include "fieldview/FrameGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tessaplot {

std::optional<ColourRange> FixedRangeFor(const ReadingState& reading, std::string_view quantity) {
    if (!reading.fixedRange || reading.fixedRange->quantity != quantity)
        return std::nullopt;
    return ColourRange{reading.fixedRange->min, reading.fixedRange->max};
}

std::string ColourRangeProblem(double min, double max) {
    // The stores keep floats: a bound beyond them could never be reached by a record.
    const double largest = std::numeric_limits<float>::max();
    const auto number = [largest](double v) { return std::isfinite(v) && std::fabs(v) <= largest; };
    if (!number(min) || !number(max))
        return "The colour range needs two numbers within +/-3.4E38.";
    const float low = static_cast<float>(min), high = static_cast<float>(max);
    if (low >= high)
        return "The lower end of the colour range must be less than the upper end.";
    // The ramp divides by the span in 32 bits: one that overflows would give every
    // record the start colour while the key still read the range.
    if (!std::isfinite(high - low))
        return "The colour range must span less than 3.4E38.";
    return {};
}

ColourKeyLayout LayOutColourKey(int width, int height, double scale, int widestLabel,
                                int textHeight, int titleWidth) {
    const auto px = [scale](double points) { return static_cast<float>(points * scale); };
    const float w = static_cast<float>(width), h = static_cast<float>(height);
    ColourKeyLayout key;
    const float margin = px(6), barWidth = px(14), tick = px(4), gap = px(3);
    key.labelX = w - margin - static_cast<float>(widestLabel);
    key.tickRight = key.labelX - gap;
    key.barRight = key.tickRight - tick;
    key.barLeft = key.barRight - barWidth;
    // The title's line and half a label above the top tick, half a label below the foot.
    const float text = static_cast<float>(textHeight);
    key.barTop = std::round(h - margin - 2.0f * text - gap);
    key.barBottom = std::round(std::max(margin + text, h * 0.2f));
    if (key.barTop - key.barBottom < text)
        key.barBottom = key.barTop - text;
    for (int i = 0; i < kTickLabelCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        key.tickY[at] = key.barBottom + TickStep(i) * (key.barTop - key.barBottom);
        key.labelY[at] = key.tickY[at] - 0.4f * text;
    }
    // Right-aligned with the labels when it is wider than the key, never off the left.
    key.titleX =
        std::max(margin, std::min(key.barLeft, w - margin - static_cast<float>(titleWidth)));
    key.titleY = key.barTop + text;
    return key;
}

} // namespace tessaplot
