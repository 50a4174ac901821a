#pragma once

#include "section2d/SectionExtraction.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tessaplot {

// The 2D image window's picture as plain data. Frame and grid are in frame
// coordinates (the plot's unit square from (0, 0) to (1, 1)); the frame lies at
// kSectionFrameOrigin in model coordinates.
inline constexpr float kSectionFrameOrigin[2] = {-0.7f, -0.5f};

// The picture is drawn for a fixed surface size, whatever the window's size: this
// projection, and this viewport at the lower left corner (pixels).
inline constexpr int kSectionProjectionWidth = 476;
inline constexpr int kSectionProjectionHeight = 374;
inline constexpr int kSectionViewportWidth = 550;
inline constexpr int kSectionViewportHeight = 450;

// Texts of the picture are kept within fixed lengths (bytes, Latin-1 as drawn).
inline constexpr std::size_t kSectionTitleMaxLength = 59;
inline constexpr std::size_t kSectionTickTextMaxLength = 19;

struct PlotSegment {
    float x0, y0, x1, y1;
};

// A text at a raster position in frame coordinates.
struct PlotLabel {
    float x, y;
    std::string text;
};

struct SectionPicture {
    std::vector<PlotSegment> frame;          // black: both axes with arrowheads and six ticks each
    std::vector<PlotSegment> grid;           // grey, stippled
    std::vector<SectionPoint> curve;         // red line strip, model coordinates
    PlotLabel xTitle, yTitle;                // black
    std::array<PlotLabel, 6> xTicks, yTicks; // grey
};

// The extents of the whole load that the picture maps onto the unit square: x is the
// position (time section) or the time (position section). A span is never zero (the
// load makes a non-positive span 1.0).
struct SectionExtents {
    float xMin = 0, xMax = 0, xSpan = 1;
    float valueMin = 0, valueMax = 0, valueSpan = 1;
};

// The black frame and the grey grid; the same for every section.
std::vector<PlotSegment> SectionFrameSegments();
std::vector<PlotSegment> SectionGridSegments();

// Places section points in model coordinates: the extents map onto the frame's unit
// square.
std::vector<SectionPoint> PlaceSectionCurve(const std::vector<SectionPoint>& points,
                                            const SectionExtents& extents);

// Tick labels: six values from min to max in five equal steps, written with "##0.###"
// (horizontal) and "0.00E-0" (vertical) using `separator`. A value too long for a tick
// label (more than 15 integer digits) is written in scientific form instead.
std::array<std::string, 6> SectionXTickTexts(float min, float max, std::string_view separator);
std::array<std::string, 6> SectionYTickTexts(float min, float max, std::string_view separator);

// "SposePos(m)" under a time section (value against position), "Time(s)" otherwise.
std::string SectionXTitle(SectionKind kind);

// At most `maxLength` bytes of `text`.
std::string BoundedText(std::string_view text, std::size_t maxLength);

// Everything the window draws for `section`; `variable` is the vertical title.
SectionPicture BuildSectionPicture(const Section& section, const SectionExtents& extents,
                                   std::string_view variable, std::string_view separator);

} // namespace tessaplot
