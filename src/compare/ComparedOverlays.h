#pragma once

namespace tessaplot {

class TForm1;
class TForm3;
class TForm4;

// Lays the compared runs over the pictures (their curves, the difference mesh, their
// cuts in the 2D window) and follows the chooser's "Open" into the comparison.
void AttachComparedOverlays(TForm1& form, TForm3& imageWindow, TForm4& chooser);

} // namespace tessaplot
