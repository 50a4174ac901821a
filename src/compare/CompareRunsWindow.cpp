#include "compare/CompareMenu.h"

namespace tessaplot {

// Placeholder until the window is built.
void ShowCompareRunsWindow(TForm1&) {}

} // namespace tessaplot
