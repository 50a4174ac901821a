#pragma once

#include "dataset/FieldPoint.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessaplot {

// A time section cuts the field at one time (value against position); a position
// section cuts it at one position (value against time).
enum class SectionKind { Time, Position };

// One point of a section in data units: x is the position (time section) or the time
// (position section), y the value.
struct SectionPoint {
    float x;
    float y;
};

// What "Show 2D Data" asked for, read from the page's controls once.
struct SectionRequest {
    SectionKind kind = SectionKind::Position;
    // False when the typed time or the chosen position text is not a number: the
    // section then has no points.
    bool converted = false;
    float sectionTime = 0.0f; // time section: the typed time as a 32-bit float
    std::string positionText; // position section: the chosen list item
};

struct Section {
    SectionKind kind = SectionKind::Position;
    // Index of the first point of a time section; the number of points when the typed
    // time lies after the last one.
    int start = 0;
    std::vector<SectionPoint> points;
};

// Points of one time step when the load could not tell (a single time step).
inline constexpr int kDefaultPointsPerStep = 6;

// Index of the first point whose time is not less than `sectionTime`, compared as
// 32-bit floats; points.size() when every point is earlier.
int FindSectionStart(std::span<const FieldPoint> points, float sectionTime);

// The points of the time step at or after `sectionTime`, as (position, value).
// `positionsPerStep` is the load's count of one time step (a fibre may have more than
// six nodes); 0 or less means it was not found and six are taken. Never reads past
// the loaded points: a short last step gives what exists, a time after the last step
// gives none.
Section ExtractTimeSection(std::span<const FieldPoint> points, float sectionTime,
                           int positionsPerStep);

// Every point whose position text (with `separator`) equals `positionText` exactly,
// as (time, value), in file order.
Section ExtractPositionSection(std::span<const FieldPoint> points, std::string_view positionText,
                               std::string_view separator);

// The section a request gives on the loaded points; no points when it did not convert.
Section ExtractSection(const SectionRequest& request, std::span<const FieldPoint> points,
                       int positionsPerStep, std::string_view separator);

} // namespace tessaplot
