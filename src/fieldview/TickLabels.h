#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tessaplot {

inline constexpr int kTickLabelCount = 6;
using TickLabelTable = std::array<std::string, kTickLabelCount>;

inline constexpr std::string_view kTimeTickPattern = "#0.###";
inline constexpr std::string_view kPositionTickPattern = "#0.000";
inline constexpr std::string_view kFixedValueTickPattern = "#0.00";
inline constexpr std::string_view kScientificValueTickPattern = "0.00E-0";

// The value of tick `i` (0 ... 5) of an axis from min to max: min + (i * (max - min)) * 0.2
// in double, in this order of operations, from the raw max - min. Another order rounds
// some values to the other side of a shown digit.
double TickValue(float min, float max, int i);

// The six labels of an axis from min to max in fifths. Computed in double from the raw
// max - min (not from a span replaced by 1), so a constant field gets six equal labels.
TickLabelTable MakeTickLabels(float min, float max, std::string_view pattern,
                              std::string_view separator);

// The value axis shows temperatures and relative humidities with two decimals and
// everything else in scientific form. Both pages' choices count whichever page is
// drawn (-1 = nothing selected): a temperature left selected on the Fabric page also
// gives two decimals on the Fibers page.
std::string_view ValueTickPattern(int fabricItem, int bodyItem);

} // namespace tessaplot
