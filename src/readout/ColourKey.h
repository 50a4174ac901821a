#pragma once

#include "fieldview/ColorRamp.h"
#include "fieldview/TickLabels.h"
#include "readout/ReadingState.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tessaplot {

// The range fixed for the quantity named `quantity`, or nothing: a range fixed for
// another quantity does not hold for this one, which then takes its data's own range.
std::optional<ColourRange> FixedRangeFor(const ReadingState& reading, std::string_view quantity);

// Why `min` and `max` cannot be a fixed colour range (a sentence for the user), or an
// empty text when they can: both finite numbers a record can hold, the lower first.
std::string ColourRangeProblem(double min, double max);

// Where the key goes in a picture of `width` x `height` window pixels (from the lower
// left, as OpenGL counts them): a bar along the right edge, the start colour at its
// foot, six ticks at the fifths with their labels to its right and the title above.
// `scale` is the pixels per point of the picture (2 or 4 for a print-size export);
// the label and title widths and the text height are in the picture's pixels.
struct ColourKeyLayout {
    float barLeft = 0, barRight = 0, barBottom = 0, barTop = 0;
    float tickRight = 0; // the ticks run from the bar's right edge to here
    std::array<float, kTickLabelCount> tickY{};
    float labelX = 0;
    std::array<float, kTickLabelCount> labelY{}; // the labels' base lines
    float titleX = 0, titleY = 0;
};

ColourKeyLayout LayOutColourKey(int width, int height, double scale, int widestLabel,
                                int textHeight, int titleWidth);

} // namespace tessaplot
