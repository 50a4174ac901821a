#pragma once

#include "section2d/SectionExtraction.h"
#include "section2d/SectionPlot.h"

namespace tessaplot {

// What is laid over the "2D Image" window's curve by the features above it (other
// runs' cuts, the marked time). The window asks at every paint; a layer derives what it
// draws from its own state then. A window with no layers draws the original's picture.
class SectionOverlay {
public:
    virtual ~SectionOverlay() = default;
    // Before the frame is drawn: may widen the extents the picture is drawn on.
    virtual void prepare(const Section& opened, SectionExtents& extents);
    // After the opened run's curve, on those extents.
    virtual void drawOver(const Section& opened, const SectionExtents& extents);
};

} // namespace tessaplot
