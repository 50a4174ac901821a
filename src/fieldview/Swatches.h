#pragma once

#include <array>

namespace tessaplot {

// The ten preview colours of the colour dialog, as 24-bit values (red in the lowest
// byte). The first is the start colour and the last the end colour themselves; those
// between advance from the start in equal whole steps of (end - start) / 9 per
// channel, truncated toward zero, so the last step takes up the remainder and no
// channel leaves the range between its two ends.
std::array<unsigned, 10> SwatchColors(unsigned startRgb24, unsigned endRgb24);

} // namespace tessaplot
