// "Show Colour Key", "Fix Colour Range…" and "Automatic Colour Range" on the Fabric and
// Fibers views.
#include "readout/ReadingMenu.h"

namespace tessaplot {

void AddColourKeyItems(GlPanel*, QMenu&) {}

} // namespace tessaplot
