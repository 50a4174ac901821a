#include "fieldview/ColorRamp.h"

namespace tessaplot {

RampColor ColorFromRgb24(unsigned rgb24) {
    const auto channel = [rgb24](int shift) {
        return static_cast<float>((rgb24 >> shift) & 0xFFu) / 255.0f;
    };
    return {channel(0), channel(8), channel(16)};
}

RampColor ColorRamp::at(float s) const {
    return {start.r + s * (end.r - start.r), start.g + s * (end.g - start.g),
            start.b + s * (end.b - start.b)};
}

ColorRamp MakeColorRamp(unsigned startRgb24, unsigned endRgb24) {
    return {ColorFromRgb24(startRgb24), ColorFromRgb24(endRgb24)};
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

} // namespace tessaplot
