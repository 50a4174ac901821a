#pragma once

#include "comfort/ComfortChartGeometry.h"
#include "comfort/ComfortReader.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tessaplot {

class ComfortOverlay;

// What the BodyComfort page keeps between refresh ticks besides the named members.
struct ComfortState {
    // Re-reads Comfort.dat every tick but converts only lines it has not seen.
    ComfortFileReader reader;
    // The curve's points and the conclusions of the last draw, and what they were
    // computed from. They are computed again only when the records may differ (the
    // reader saw changed or new lines, or could not read the file) or the quantity,
    // end time or decimal separator changed; otherwise they are what a fresh
    // computation would give.
    std::vector<ChartPoint> curve;
    bool drawnValid = false;
    int drawnQuantity = -1;
    int drawnCount = 0;
    float drawnEndTime = 0.0f;
    std::string drawnSeparator;
    // What the layers over the chart drew from at the last draw (see ComfortOverlay::key).
    std::vector<std::uint64_t> drawnOverlays;
    // The layers, in the order they draw.
    std::vector<std::shared_ptr<ComfortOverlay>> overlays;

    // The chart as the last draw left it in the panel's framebuffer (RGBA rows). A
    // tick whose inputs are those of the last draw finds the same picture still there
    // and neither draws nor presents it again. The framebuffer is compared, not
    // trusted: anything else that drew into it or cleared it (a redraw request, binding
    // the panel again, a new framebuffer) makes it differ and brings a full draw.
    std::vector<unsigned char> shownPicture;
    std::vector<unsigned char> seenPicture;

    bool drawnFrom(int quantity, int count, float endTime, const std::string& separator) const {
        return drawnValid && drawnQuantity == quantity && drawnCount == count &&
               drawnEndTime == endTime && drawnSeparator == separator;
    }
    // A tick is running. The "No files!" box runs a message loop of its own in which
    // further ticks arrive; they must not start a second read, or a second box.
    bool inTick = false;
    // "No files!" has been shown for the current choice: the refresh then keeps
    // looking for the file quietly. A new selection or another Comfort.dat path (a data
    // set opened) allows the message once more.
    bool missingFileReported = false;
    std::string lastPath;
};

} // namespace tessaplot
