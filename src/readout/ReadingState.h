#pragma once

#include <optional>
#include <string>

namespace tessaplot {

// What the user asked for to read numbers off the pictures. Nothing of it is set at
// start, and then every picture is the original's, pixel for pixel.
struct ReadingState {
    // A colour key beside the Fabric and Fibers meshes.
    bool colourKeyShown = false;
    // A colour range the user fixed, for the quantity of that name; the data's own range
    // when there is none.
    struct FixedRange {
        float min = 0.0f, max = 1.0f;
        std::string quantity;
    };
    std::optional<FixedRange> fixedRange;
    // One time (minutes) marked on every page that has a time axis.
    std::optional<float> markedTime;
};

} // namespace tessaplot
