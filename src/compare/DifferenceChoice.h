#pragma once

#include "compare/DifferenceField.h"

#include <cstdint>
#include <string>

namespace tessaplot {

// "Difference From" on the Fabric and Fibers views: the compared run the mesh is the
// opened run minus, and the difference last taken, kept while neither table changed so
// that a navigation step only draws it.
struct DifferenceChoice {
    // The run (its serial: a name passes to another run when one is removed); 0: the
    // field itself is drawn, as it always was.
    std::uint64_t runSerial = 0;
    std::string runName; // the run's name when last drawn
    // The difference of the tables of these fillings (a compared table that could not
    // be read leaves `field` empty).
    bool computed = false;
    std::uint64_t openedGeneration = 0;
    std::size_t openedCount = 0;
    std::uint64_t comparedGeneration = 0;
    DifferenceField field;
    // What the difference adds to the quantity's title (" - run (interpolated)"), as
    // last drawn.
    std::string titleSuffix;
    // Moves with every difference taken: a mesh built from an older one is stale.
    std::uint64_t generation = 0;
    // The compared table whose read failed and was told (told once, until it reads).
    std::string toldProblemOf;
    bool unreadable = false;
};

} // namespace tessaplot
