#pragma once

namespace tessaplot {

// A curve colour, each part 0..1.
struct RunColour {
    float r = 0.0f, g = 0.0f, b = 0.0f;
    bool operator==(const RunColour&) const = default;
};

} // namespace tessaplot
