#pragma once

namespace tessaplot {

class TForm1;

// The "Compare" menu item, after "Exit": it shows the "Compare Runs" window.
void AddCompareMenu(TForm1& form);

// Shows the modeless "Compare Runs" window (made on first use) and brings it forward.
void ShowCompareRunsWindow(TForm1& form);

} // namespace tessaplot
