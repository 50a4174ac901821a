#pragma once

#include "dataset/FieldPoint.h"
#include "fieldview/ColorRamp.h"

#include <span>
#include <vector>

namespace tessaplot {

// A field table as the loader lays it out: time steps of `positionsPerStep` records
// (0 when the first position never recurs: one step of every record).
struct FieldLayout {
    std::span<const FieldPoint> points;
    int positionsPerStep = 0;
};

// The opened run minus a compared run, at the opened run's records that both runs cover.
struct DifferenceField {
    // Time and position of an opened record; Value is opened minus compared.
    std::vector<FieldPoint> points;
    // The two values each difference was taken from (the compared one interpolated
    // where `interpolated` says so), for the table behind the picture.
    std::vector<float> openedValues;
    std::vector<float> comparedValues;
    // Steps of this many records, as the opened run's (fewer when positions the
    // compared run does not reach were left out).
    int positionsPerStep = 0;
    // Some compared value lies between the compared run's records.
    bool interpolated = false;
    // Some opened records lie outside what the compared run covers and were left out.
    bool partial = false;

    // Extents for the axes, by the loader's rules: time and position of the first and
    // last record kept, values over the finite differences; a span not positive is 1.
    // Differences within the float rounding of the values themselves count as one
    // (their middle), so that a difference that is the same everywhere draws flat.
    float TimeMin = 0, TimeMax = 0, TimeSpan = 1;
    float PositionMin = 0, PositionMax = 0, PositionSpan = 1;
    float ValueMin = 0, ValueMax = 0, ValueSpan = 1;

    FieldExtents extents() const {
        return {TimeMin, TimeSpan, PositionMin, PositionSpan, ValueMin, ValueSpan};
    }
};

// The difference `opened` − `compared` at every opened record.
//
// When both tables hold the same times and positions in the same order, the difference
// is taken record by record. Otherwise the compared run is read as a grid — its complete
// time steps sorted by time (of steps with the same time the one written last counts),
// each step's records sorted by position — and interpolated linearly over time and
// position at each opened record. An opened record beyond the times or positions the
// compared run covers is left out; so is a position left out at any time step kept, so
// that the records kept still form whole steps for the mesh. A NaN in either value gives
// a NaN difference (kept, so the steps stay whole; the value extents pass over it).
DifferenceField MakeDifferenceField(const FieldLayout& opened, const FieldLayout& compared);

} // namespace tessaplot
