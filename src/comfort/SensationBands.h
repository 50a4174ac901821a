#pragma once

#include "comfort/ComfortRecord.h"

#include <span>
#include <string_view>

namespace tessaplot {

// The quantity chosen in RadioGroup4, by its item index.
enum class ComfortQuantity { ThermalSensation = 0, DampnessSensation = 1, ComfortValue = 2 };

// Whether a RadioGroup4 item index names a quantity (no selection is -1).
bool IsComfortQuantity(int itemIndex);

// One sensation band: the values above the band below it, up to and including
// `upperBound`. The top band's bound is +infinity.
struct SensationBand {
    std::string_view name;
    float upperBound;
};

inline constexpr int MaxSensationBands = 5;

// The bands of a quantity from the bottom of the scale up.
std::span<const SensationBand> SensationBandsOf(ComfortQuantity quantity);

// Index (bottom-up) of the band holding `value`, compared as the stored 32-bit value
// with no tolerance: a value exactly on a boundary belongs to the band below. NaN, which
// the reader never produces, falls in the top band.
int SensationBandIndex(ComfortQuantity quantity, float value);

float QuantityValue(const ComfortRecord& record, ComfortQuantity quantity);

} // namespace tessaplot
