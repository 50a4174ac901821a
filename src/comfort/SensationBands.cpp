#include "comfort/SensationBands.h"

#include <array>
#include <limits>

namespace tessaplot {

namespace {

constexpr float top = std::numeric_limits<float>::infinity();

constexpr std::array<SensationBand, 5> thermalBands{{
    {"Cold", 23.0f},
    {"Cool", 45.0f},
    {"Neutral", 55.0f},
    {"Warm", 73.0f},
    {"Hot", top},
}};

constexpr std::array<SensationBand, 4> dampnessBands{{
    {"Dry", 22.0f},
    {"Slightly Damp", 47.0f},
    {"Damp", 70.0f},
    {"Very Damp", top},
}};

constexpr std::array<SensationBand, 3> comfortBands{{
    {"Comfortable", 30.0f},
    {"Acceptable", 78.0f},
    {"Uncomfortable", top},
}};

} // namespace

bool IsComfortQuantity(int itemIndex) {
    return itemIndex >= 0 && itemIndex <= 2;
}

std::span<const SensationBand> SensationBandsOf(ComfortQuantity quantity) {
    switch (quantity) {
    case ComfortQuantity::ThermalSensation:
        return thermalBands;
    case ComfortQuantity::DampnessSensation:
        return dampnessBands;
    case ComfortQuantity::ComfortValue:
        break;
    }
    return comfortBands;
}

int SensationBandIndex(ComfortQuantity quantity, float value) {
    const auto bands = SensationBandsOf(quantity);
    const int last = static_cast<int>(bands.size()) - 1;
    for (int i = 0; i < last; ++i) {
        if (value <= bands[i].upperBound)
            return i;
    }
    return last;
}

float QuantityValue(const ComfortRecord& record, ComfortQuantity quantity) {
    switch (quantity) {
    case ComfortQuantity::ThermalSensation:
        return record.ThermalSensation;
    case ComfortQuantity::DampnessSensation:
        return record.DampnessSensation;
    case ComfortQuantity::ComfortValue:
        break;
    }
    return record.ComfortValue;
}

} // namespace tessaplot
