#pragma once

#include "evidence/QuantityMatch.h"

#include <optional>
#include <string>
#include <string_view>

namespace tessaplot {

// How far a simulated value may lie from a measured one and still agree with it, for one
// quantity: within 0.3 degree C for the core, 1.0 for the skin.
struct Tolerance {
    EvidenceQuantity quantity;
    double value = 0.0; // in the quantity's unit; never negative
};

struct ToleranceParse {
    std::optional<Tolerance> tolerance;
    std::string problem; // why refused; empty when read
};

// Reads "temperature of core=0.3": the quantity named as a measured column is
// (NormalisedQuantityName), the value with '.' as its decimal point.
ToleranceParse ParseTolerance(std::string_view text);

} // namespace tessaplot
