#pragma once

#include "comfort/ComfortRecord.h"
#include "comfort/SensationBands.h"

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessaplot {

// Everything the comfort chart draws, in chart units: the plot area is the unit square,
// x = time / end time, y = value / 100. The drawing code only walks these.

struct ChartColour {
    float red;
    float green;
    float blue;
};

// One sensation band's background stripe across x = 0 .. 1, shaded from `bottom` along
// y0 to `top` along y1, and its name written at (BandNameX, nameY).
struct ChartStripe {
    float y0;
    float y1;
    ChartColour bottom;
    ChartColour top;
    std::string_view name;
    float nameY;
};

struct ChartText {
    std::string text;
    float x;
    float y;
};

struct ChartPoint {
    float x;
    float y;
};

inline constexpr float BandNameX = 1.01f;
inline constexpr float ChartTitleX = 0.35f;
inline constexpr float ChartTitleY = 1.3f;
// The curve lies in front of the stripes (z = 0) for the depth test.
inline constexpr float CurveZ = 0.1f;
inline constexpr float CurveWidth = 5.0f;

// Bottom to top, the same bands as SensationBandsOf.
std::span<const ChartStripe> ComfortChartStripes(ComfortQuantity quantity);

// "Thermal Sensation", "Dampness Sensation" or "Comfort Value".
std::string_view ComfortChartTitle(ComfortQuantity quantity);

// Time axis labels: i x 0.2 x endTime with "#0.##" at (0.2 i, -0.1), i = 0 .. 5. With no
// records the end time is 0 and every label reads 0.
std::array<ChartText, 6> ComfortTimeTicks(float endTime, std::string_view decimalSeparator = ".");

// Value axis labels 0, 20, ..., 100 at (-0.15, 0.2 i).
std::array<ChartText, 6> ComfortValueTicks(std::string_view decimalSeparator = ".");

// "Time (min.)" right of the time axis's arrow, "Sensation(0~100)" above the value axis.
std::array<ChartText, 2> ComfortAxisTitles();

// The curve through every record in file order. A point at or right of the end
// (x >= 1) is drawn at x = 0.99, a value of 100 or more at y = 0.984; nothing is clamped
// below. When the end time is not positive (one record at time 0, say) there is no
// time scale and every point lies at x = 0. `points` is refilled, its capacity kept.
void BuildComfortCurve(std::span<const ComfortRecord> records, float endTime,
                       ComfortQuantity quantity, std::vector<ChartPoint>& points);

} // namespace tessaplot
