#include "readout/ReadingMenu.h"

namespace tessaplot {

void AddReadingItems(GlPanel* surface, QMenu& menu) {
    AddColourKeyItems(surface, menu);
    AddTimeMarkItems(surface, menu);
}

} // namespace tessaplot
