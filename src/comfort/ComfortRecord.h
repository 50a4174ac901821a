#pragma once

namespace tessaplot {

// One line of Comfort.dat: the time of wearing (min) and the three quantities, each on
// a scale of 0 to 100, as the 32-bit values the classification compares.
struct ComfortRecord {
    float Time;
    float ThermalSensation;
    float DampnessSensation;
    float ComfortValue;
};

// Room the comfort store is given before the first read; it grows beyond this when a
// file holds more lines.
inline constexpr int ComfortStoreCapacity = 150000;

} // namespace tessaplot
