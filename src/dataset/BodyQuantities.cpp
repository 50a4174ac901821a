#include "dataset/BodyQuantities.h"

#include <array>

namespace tessaplot {

namespace {

// Spelled as the original page spells them, misspellings included: they are its texts.
constexpr std::array<std::string_view, BodyQuantityCount> names{
    "temperature of skin(degree of C)",
    "temperature of core(degree of C)",
    "skin wetness",
    "metabolism rate of human body(W/m^2)",
    "relative humidity of skin(%)",
    "blood flow volume of skin(l/hr^1/m^2)",
    "sweating rate",
    "evporative heat(W/m^2)",
    "evporative heat from skin covered(W/m^2)",
    "evaporative heat from skin uncovered(W/m^2)",
    "dry heat loss from skin(W/m^2)",
    "covective heat(W/m^2)",
    "radioactive heat(W/m^2)",
    "regulative heat loss by sweating(W/m^2)",
    "heat loss by vaporized water diffusion(W/m^2)",
    "temperature of body(degree of C)",
    "ratio of skin-mass change with V_bld_sk(%)",
};

} // namespace

std::span<const std::string_view> BodyQuantityNames() {
    return names;
}

} // namespace tessaplot
