#pragma once

#include "dataset/FieldPoint.h"

#include <optional>

namespace tessaplot {

// A colour with channels from 0 to 1, as OpenGL takes it.
struct RampColor {
    float r, g, b;
};

// The channels of a 24-bit colour value (red in the lowest byte, blue in the highest),
// each byte divided by 255.
RampColor ColorFromRgb24(unsigned rgb24);

// The straight ramp from the start colour (s = 0) to the end colour (s = 1); a
// diverging one (a difference's) passes through white at `whiteAt`, which may lie
// beyond 0..1 when the values are all of one sign.
struct ColorRamp {
    RampColor start{0, 0, 1};
    RampColor end{1, 0, 0};
    std::optional<float> whiteAt;

    RampColor at(float s) const;
};

ColorRamp MakeColorRamp(unsigned startRgb24, unsigned endRgb24);

// The values the colour ramp runs over, from its start colour to its end colour.
struct ColourRange {
    float min = 0.0f, max = 1.0f;
    bool operator==(const ColourRange&) const = default;
};

// Where the loaded field lies, for mapping records into the unit cube. The spans are
// never zero: the loader stores 1 for a span that is not positive.
struct FieldExtents {
    float TimeMin = 0, TimeSpan = 1;
    float PositionMin = 0, PositionSpan = 1;
    float ValueMin = 0, ValueSpan = 1;
};

// The extents the ramp colours by under a fixed range: the value's replaced by the
// range's, the rest as they are; nothing without a fixed range.
std::optional<FieldExtents> ColourExtents(const FieldExtents& extents,
                                          const std::optional<ColourRange>& fixed);

// The colour dialog's axis choices. The dialog names them after its own picture, not
// after the cube: "X-axis" grades by time (drawn along y) and "Y-axis" by position
// (drawn along x).
inline constexpr int kColorAlongValue = 0;
inline constexpr int kColorAlongTime = 1;
inline constexpr int kColorAlongPosition = 2;

// The ramp parameter of a record for the chosen axis (any other axis value counts as
// position, as the dialog's last choice does).
float RampParameter(const FieldPoint& point, const FieldExtents& extents, int colorAxis);

} // namespace tessaplot
