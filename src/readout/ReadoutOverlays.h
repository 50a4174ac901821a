#pragma once

namespace tessaplot {

class TForm1;
class TForm3;
class TForm4;

// Lays the marked time and the colour key over the pictures, and forgets a fixed range
// when the chooser opens another data set.
void AttachReadoutOverlays(TForm1& form, TForm3& imageWindow, TForm4& chooser);

} // namespace tessaplot
