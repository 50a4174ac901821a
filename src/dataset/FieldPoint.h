#pragma once

namespace tessaplot {

// One loaded line of a result table. Position is 0 for BodyProperty.dat, whose
// column 1 is a body quantity rather than a place in the clothing.
struct FieldPoint {
    float Time;
    float Position;
    float Value;
};

} // namespace tessaplot
