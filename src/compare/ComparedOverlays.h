#pragma once

#include "compare/OverlayGeometry.h"

#include <span>

namespace tessaplot {

class TForm1;
class TForm3;
class TForm4;

// Lays the compared runs over the pictures (their curves, the difference mesh, their
// cuts in the 2D window) and follows the chooser's "Open" into the comparison.
void AttachComparedOverlays(TForm1& form, TForm3& imageWindow, TForm4& chooser);

// The compared runs' cuts the 2D window's last paint drew beside its curve (none when
// it drew none), for what reads that picture.
std::span<const ComparedCurve> ShownComparedSections(const TForm3& imageWindow);

} // namespace tessaplot
