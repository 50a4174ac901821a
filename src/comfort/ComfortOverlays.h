#pragma once

#include "comfort/ComfortReader.h"
#include "comfort/SensationBands.h"

#include <cstdint>
#include <vector>

namespace tessaplot {

class TForm1;

// What is laid over the BodyComfort chart by the features above it (other runs'
// curves, the marked time). The chart asks at every draw and tick; a layer derives what
// it draws from its own state then. A chart with no layers is the original's.
class ComfortOverlay {
public:
    virtual ~ComfortOverlay() = default;
    // The time the chart's axis ends at, given the one it would end at without this
    // layer.
    virtual float endTime(TForm1& form, float ownEndTime);
    // The refresh tick: reads on until `deadline`.
    virtual void refresh(TForm1& form, ComfortFileReader::Clock::time_point deadline);
    // Appends what this layer draws from: a chart drawn at other numbers is stale. Each
    // change of what it would draw must change them (numbers that only grow are not
    // enough once something can be taken away).
    virtual void key(const TForm1& form, std::vector<std::uint64_t>& key) const;
    // Over the opened run's curve.
    virtual void drawOver(TForm1& form, ComfortQuantity quantity, float endTime);
};

// The time the chart's axis ends at: the opened run's end time (0 with no records) as
// the layers widen it.
float ComfortChartEndTime(TForm1& form);
// What the layers draw from now (see ComfortOverlay::key).
std::vector<std::uint64_t> ComfortOverlayKey(const TForm1& form);

} // namespace tessaplot
