#include "fieldview/ColorRamp.h"

namespace tessaplot {

RampColor ColorFromRgb24(unsigned rgb24) {
    const auto channel = [rgb24](int shift) {
        return static_cast<float>((rgb24 >> shift) & 0xFFu) / 255.0f;
    };
    return {channel(0), channel(8), channel(16)};
}

namespace {

RampColor blend(RampColor from, RampColor to, float s) {
    return {from.r + s * (to.r - from.r), from.g + s * (to.g - from.g),
            from.b + s * (to.b - from.b)};
}

} // namespace

RampColor ColorRamp::at(float s) const {
    if (!whiteAt)
        return blend(start, end, s);
    constexpr RampColor white{1, 1, 1};
    const float w = *whiteAt;
    // Zero itself is white also where it is the range's end (every difference of one sign).
    if (s == w)
        return white;
    if (s < w)
        return w > 0 ? blend(start, white, s / w) : start;
    return w < 1 ? blend(white, end, (s - w) / (1 - w)) : end;
}

ColorRamp MakeColorRamp(unsigned startRgb24, unsigned endRgb24) {
    return {ColorFromRgb24(startRgb24), ColorFromRgb24(endRgb24), std::nullopt};
}

float RampParameter(const FieldPoint& point, const FieldExtents& extents, int colorAxis) {
    switch (colorAxis) {
    case kColorAlongValue:
        return (point.Value - extents.ValueMin) / extents.ValueSpan;
    case kColorAlongTime:
        return (point.Time - extents.TimeMin) / extents.TimeSpan;
    default:
        return (point.Position - extents.PositionMin) / extents.PositionSpan;
    }
}

std::optional<FieldExtents> ColourExtents(const FieldExtents& extents,
                                          const std::optional<ColourRange>& fixed) {
    if (!fixed)
        return std::nullopt;
    FieldExtents colour = extents;
    colour.ValueMin = fixed->min;
    colour.ValueSpan = fixed->max - fixed->min;
    return colour;
}

} // namespace tessaplot
