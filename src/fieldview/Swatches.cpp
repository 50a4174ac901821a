#include "fieldview/Swatches.h"

namespace tessaplot {

namespace {

int channel(unsigned rgb24, int shift) {
    return static_cast<int>((rgb24 >> shift) & 0xFFu);
}

} // namespace

std::array<unsigned, 10> SwatchColors(unsigned startRgb24, unsigned endRgb24) {
    std::array<unsigned, 10> swatches{};
    swatches[0] = startRgb24;
    swatches[9] = endRgb24;
    int start[3], step[3];
    for (int c = 0; c < 3; ++c) {
        start[c] = channel(startRgb24, 8 * c);
        step[c] = (channel(endRgb24, 8 * c) - start[c]) / 9; // truncates toward zero
    }
    for (int k = 1; k < 9; ++k) {
        unsigned value = 0;
        for (int c = 0; c < 3; ++c)
            value |= static_cast<unsigned>(start[c] + k * step[c]) << (8 * c);
        swatches[static_cast<std::size_t>(k)] = value;
    }
    return swatches;
}

} // namespace tessaplot
