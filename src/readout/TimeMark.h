#pragma once

#include "comfort/ComfortRecord.h"
#include "comfort/SensationBands.h"
#include "dataset/FieldPoint.h"
#include "fieldview/ColorRamp.h"
#include "gl/WindowMapping.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessaplot {

// The pictures that have a time axis, by where the axis lies in model coordinates.
enum class TimeAxisKind {
    Mesh,            // a 3D field: time along y from 0 to 1, thickness along x, base plane z = 0
    Curve,           // a 2D field curve or the comfort chart: time along x from 0 to 1
    PositionSection, // the 2D window's value against time: x from the frame's origin on
};

// A picture's time axis: what it draws from `min` to `min + span` (a span that is not
// positive means the picture has no time scale, and nothing can be marked on it).
struct TimeAxis {
    TimeAxisKind kind = TimeAxisKind::Curve;
    float min = 0.0f;
    float span = 1.0f;
};

struct MarkSegment {
    float x0, y0, z0;
    float x1, y1, z1;
};

// Where the marked time `t` is drawn on the picture: across the thickness in the mesh's
// base plane, or a vertical line across the plot. Nothing when `t` lies off the axis, so
// a mark made on a longer run never draws outside another picture's frame.
std::optional<MarkSegment> TimeMarkSegment(const TimeAxis& axis, float t);

struct MarkPoint {
    float x, y, z;
};

// The field across the thickness at the step a time section takes for `t` (the first at
// or after it), in the mesh's model coordinates: the mark follows the surface there as
// well as lying in the base plane. Empty when no whole step lies at or after `t`.
std::vector<MarkPoint> MeshProfileAt(std::span<const FieldPoint> points, int positionsPerStep,
                                     const FieldExtents& extents, float t);

// The time under the window point (device pixels from the lower left corner, as the
// mapping has them): the point is taken back onto the picture's plane z = 0. Nothing when
// the view shows that plane edge-on, or the point lies off the time axis (on the mesh:
// off the base plane).
std::optional<float> TimeAtWindowPoint(const TimeAxis& axis, const WindowMapping& mapping,
                                       double windowX, double windowY);

// The first record at or after `t`, times compared as the stored 32-bit values (as a
// time section takes its step); the count when every record is earlier.
std::size_t FirstPointAtOrAfter(std::span<const FieldPoint> points, float t);
std::size_t FirstComfortAtOrAfter(std::span<const ComfortRecord> records, float t);

// One sensation at a time, with the band its value falls in.
struct SensationAt {
    std::string_view title;
    float time;
    float value;
    std::string_view band;
};

// The three quantities of the first comfort record at or after `t`; none when there is
// no such record.
std::vector<SensationAt> SensationsAt(std::span<const ComfortRecord> records, float t);

// A line of the "Values at t" list, its numbers written as the pictures write them.
struct ValueLine {
    std::string quantity;
    std::string time;
    std::string position; // empty where the quantity has no place in the clothing
    std::string value;
    std::string band; // empty but for the sensations
};

// Times as the field's time axis writes them, positions as its thickness axis does.
std::string MarkTimeText(float time, std::string_view separator);
std::string MarkPositionText(float position, std::string_view separator);

} // namespace tessaplot
