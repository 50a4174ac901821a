#pragma once

#include "compare/OverlayGeometry.h"
#include "section2d/SectionPlot.h"

#include <vector>

namespace tessaplot {

// The compared runs' cuts at the section the 2D window shows, each from the same
// table (layer or fibre file) read as the opened run's was; `extents` is widened to
// span every run's table. None when nothing is compared. Each paint cuts them anew, so
// a table that changed on disk since (grew, was rewritten or removed) shows as it is.
std::vector<ComparedCurve> CutComparedSections(const Section& opened, SectionExtents& extents);

// Their curves in their colours and the legend, after the opened run's curve.
void DrawComparedSections(const std::vector<ComparedCurve>& curves, const SectionExtents& extents);

} // namespace tessaplot
